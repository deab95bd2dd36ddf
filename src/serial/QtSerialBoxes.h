#pragma once
// What the two serial dialogs share: the port box filled from the port
// table, and a box showing exactly the item equal to a text, or nothing.

#include <QComboBox>
#include <QPushButton>
#include <QStringList>
#include <string>
#include <string_view>

/// Empties the box and fills it with the present ports, in text order.
void FillPortBox(QComboBox& box, const std::string& portFile);
/// Selects the item equal to text, letters compared without regard to
/// case; none (an empty box) when no item is.
void SelectText(QComboBox& box, std::string_view text);
/// A drop-down list (no free text) with the items and the object name.
QComboBox* MakeListBox(const char* objectName, const QStringList& items, QWidget* parent);
std::string BoxText(const QComboBox& box);

/// The dialogs' "Connect" (bnStart) and "Disconnect" (bnStop, disabled at
/// first) buttons, neither a default button, wired to the two handlers.
template <class Dialog>
void MakeConnectButtons(Dialog* dialog, QPushButton*& start, QPushButton*& stop, void (Dialog::*onConnect)(),
                        void (Dialog::*onDisconnect)()) {
  start = new QPushButton("Connect", dialog);
  start->setObjectName("bnStart");
  stop = new QPushButton("Disconnect", dialog);
  stop->setObjectName("bnStop");
  stop->setEnabled(false);
  for (QPushButton* button : {start, stop}) button->setAutoDefault(false);
  QObject::connect(start, &QPushButton::clicked, dialog, onConnect);
  QObject::connect(stop, &QPushButton::clicked, dialog, onDisconnect);
}
