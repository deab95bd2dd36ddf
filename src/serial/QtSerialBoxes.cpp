#include "platform/QtText.h"
#include "serial/QtSerialBoxes.h"

#include <algorithm>
#include <vector>

#include "serial/TCommPort.h"

void FillPortBox(QComboBox& box, const std::string& portFile) {
  std::vector<std::string> ports;
  EnumerateCommPorts(portFile, ports);
  std::sort(ports.begin(), ports.end());
  ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
  box.clear();
  for (const auto& port : ports) box.addItem(platform::ToQString(port));
}

void SelectText(QComboBox& box, std::string_view text) {
  box.setCurrentIndex(box.findText(QString::fromUtf8(text.data(), static_cast<int>(text.size())),
                                   Qt::MatchFixedString));
}

QComboBox* MakeListBox(const char* objectName, const QStringList& items, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(objectName));
  box->setEditable(false);
  box->addItems(items);
  return box;
}

std::string BoxText(const QComboBox& box) { return platform::FromQString(box.currentText()); }
