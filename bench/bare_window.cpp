// The yardstick for the start-up bench: a bare Qt window of the main
// window's size with a menu bar of the same six menus and a 2 x 12 table.
// It loads no data, no fonts and no radio library.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  for (const char* menu : {"File", "Display", "Connections", "Radio", "Messaging", "Logging", "Help"})
    window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Item"));
  auto* table = new QTableWidget(2, 12, &window);
  window.setCentralWidget(table);
  window.resize(918, 426);
  window.show();
  return app.exec();
}
