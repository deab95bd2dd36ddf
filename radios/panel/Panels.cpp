#include "Panels.h"

#include <QApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "FullPanel.h"
#include "KeyboardPanel.h"
#include "KnobSettingsDialog.h"
#include "MacroEditor.h"
#include "MessagePanel.h"

namespace radiopanel {
namespace {

constexpr int kRefreshMs = 150;
constexpr int kGap = 6;
constexpr int kTitleAllowance = 30;  // a window manager's title bar and frame

// Brought to the front; the offscreen platform of the tests has no front.
void Raise(QWidget* w) {
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
}

QString Name(const QString& kind, const QString& prefix, const char* what) {
  return kind + prefix + QString::fromLatin1(what);
}

}  // namespace

struct Panels::Impl {
  Impl(PanelRadio& r, PanelActions& a, PanelHost h) : radio(r), actions(a), host(std::move(h)) {}

  PanelRadio& radio;
  PanelActions& actions;
  PanelHost host;
  bool titleBars = true;
  bool parts[3] = {true, true, true};  // PanelPart order
  MainWindowBounds bounds;
  BandPlan plan;
  KnobSettings knob;
  char knobVfo = 'A';
  std::vector<const QWidget*> placed;  // placed once; afterwards where the operator leaves them
  PanelAbilities fullMadeWith;  // what each was made with
  PanelAbilities keyboardMadeWith;
  bool answering = false;              // at the last refresh

  std::unique_ptr<QTimer> timer;
  std::unique_ptr<QTimer> soon;
  std::unique_ptr<FullPanel> full;
  std::unique_ptr<MessagePanel> messages;
  std::unique_ptr<KeyboardPanel> keyboard;
  std::unique_ptr<MacroEditor> macroEditor;
  std::unique_ptr<KnobSettingsDialog> knobDialog;
  std::vector<std::unique_ptr<QWidget>> own;

  std::vector<PanelWindow*> PanelWindows() const {
    std::vector<PanelWindow*> windows;
    for (PanelWindow* w : {static_cast<PanelWindow*>(full.get()), static_cast<PanelWindow*>(messages.get()),
                           static_cast<PanelWindow*>(keyboard.get())}) {
      if (w) windows.push_back(w);
    }
    return windows;
  }

  bool AnyShown() const {
    for (PanelWindow* w : PanelWindows()) {
      if (w->isVisible()) return true;
    }
    return false;
  }

  QRect Screen(QPoint near) const {
    QScreen* screen = QGuiApplication::screenAt(near);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
  }

  // The height a panel takes on the screen, its window frame included (the
  // frame is not known before the window manager has shown it once).
  int Height(PanelWindow* w) const {
    if (!w->isVisible()) w->adjustSize();  // a window never shown has no size of its own yet
    const int frame = w->frameGeometry().height() - w->geometry().height();
    return w->height() + (frame > 0 ? frame : titleBars ? kTitleAllowance : 2);
  }

  void Place(QWidget* w, bool dialog) {
    if (!bounds.Known() || std::find(placed.begin(), placed.end(), w) != placed.end()) return;
    placed.push_back(w);
    w->adjustSize();
    const int centre = (bounds.left + bounds.right) / 2;
    int top = bounds.top;
    if (!dialog) {
      // Below the main window in a fixed order, full panel, message buttons,
      // keyboard, each below the room of those before it (shown or not), so
      // that none covers the logging grid, the program's soft-panel switch
      // or another panel.
      top = bounds.bottom + kGap;
      Full();
      if (!messages) MakeMessages();
      for (PanelWindow* p : PanelWindows()) {
        if (p == w) break;
        top += Height(p) + kGap;
      }
    }
    QPoint at(centre - w->width() / 2, top);
    const QRect screen = Screen(QPoint(centre, bounds.bottom));
    if (screen.isValid()) {
      at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() - w->width())));
      at.setY(std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() - w->height())));
    }
    w->move(at);
  }

  void MakeMessages() {
    messages = std::make_unique<MessagePanel>(Name(QString("pnl"), host.namePrefix, "MsgButtons"), radio,
                                              [this] { soon->start(); });
  }

  void ShowPanel(PanelWindow* w) {
    w->SetTitleBar(titleBars);
    Place(w, false);
    w->show();
    Raise(w);
    Refresh();
    if (!timer->isActive()) timer->start();
  }

  void ShowDialog(QWidget* w) {
    Place(w, true);
    w->show();
    Raise(w);
    w->activateWindow();
  }

  void Refresh() {
    const PanelState state = radio.State();
    if (state.answering && !answering) RemakeForAbilities();
    answering = state.answering;
    actions.Observe(state);
    if (full) {
      full->Refresh(state);
      if (host.macros) {
        std::vector<std::string> names;
        for (const PanelMacro& m : host.macros()) names.push_back(m.name);
        full->SetMacroNames(names);
      }
    }
    if (messages) messages->Refresh(state);
    if (keyboard) keyboard->Refresh(state);
  }

  // The windows made before the radio told its abilities are made again,
  // where they were and as shown as they were.
  void RemakeForAbilities() {
    if (!full && !keyboard) return;
    const PanelAbilities now = radio.Abilities();
    auto remake = [&](auto& window, const PanelAbilities& madeWith, auto make) {
      if (!window || madeWith == now) return;
      const bool shown = window->isVisible();
      const QPoint at = window->pos();
      std::erase(placed, window.get());
      window.reset();
      make();
      if (!shown) return;
      placed.push_back(window.get());
      window->SetTitleBar(titleBars);
      window->move(at);
      window->show();
    };
    remake(full, fullMadeWith, [this] { Full(); });
    remake(keyboard, keyboardMadeWith, [this] { Keyboard(); });
  }

  KeyboardPanel& Keyboard() {
    if (!keyboard) {
      keyboardMadeWith = radio.Abilities();
      keyboard = std::make_unique<KeyboardPanel>(Name(QString("pnl"), host.namePrefix, "Keyboard"), radio,
                                                 [this] { soon->start(); });
    }
    return *keyboard;
  }

  FullPanel& Full() {
    if (!full) {
      fullMadeWith = radio.Abilities();
      FullPanel::Hooks hooks;
      hooks.showConfig = host.showConfig;
      hooks.showKnobSettings = [this] { ShowKnobSettings(); };
      if (host.setMacros) hooks.showMacroEditor = [this] { ShowMacroEditor(); };
      hooks.runMacro = host.runMacro;
      hooks.refreshSoon = [this] { soon->start(); };
      hooks.knobChanged = [this](const KnobSettings& s) {
        knob = s;
        if (knobDialog && knobDialog->isVisible()) knobDialog->Load(s);
      };
      full = std::make_unique<FullPanel>(Name(QString("pnl"), host.namePrefix, "Main"), radio, actions, hooks);
      full->SetBandPlan(plan);
      full->SetKnobSettings(knob);
      full->FocusKnob(knobVfo);
      for (int i = 0; i < 3; ++i) full->SetPartShown(static_cast<PanelPart>(i), parts[i]);
    }
    return *full;
  }

  void ShowKnobSettings() {
    if (!knobDialog) {
      knobDialog = std::make_unique<KnobSettingsDialog>(
          Name(QString("dlg"), host.namePrefix, "Knob"), QString::fromStdString(radio.Abilities().radioName),
          [this](const KnobSettings& s) {
            knob = s;
            if (full) full->SetKnobSettings(s);
          });
    }
    if (!knobDialog->isVisible()) knobDialog->Load(knob);
    ShowDialog(knobDialog.get());
  }

  void ShowMacroEditor() {
    if (!host.setMacros) return;
    if (!macroEditor) {
      MacroEditor::Hooks hooks;
      hooks.state = [this] { return radio.State(); };
      hooks.save = [this](std::vector<PanelMacro> macros) {
        if (host.setMacros) host.setMacros(std::move(macros));
        soon->start();
      };
      hooks.run = [this](const PanelMacro& m) {
        actions.RunMacro(m);
        soon->start();
      };
      macroEditor = std::make_unique<MacroEditor>(Name(QString("dlg"), host.namePrefix, "Macros"), radio.Abilities(), hooks);
    }
    if (!macroEditor->isVisible()) macroEditor->Load(host.macros ? host.macros() : std::vector<PanelMacro>{});
    ShowDialog(macroEditor.get());
  }
};

bool Panels::GuiHere() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  return app && QThread::currentThread() == app->thread();
}

Panels::Panels(PanelRadio& radio, PanelActions& actions, PanelHost host)
    : m(std::make_unique<Impl>(radio, actions, std::move(host))) {
  m->timer = std::make_unique<QTimer>();
  m->timer->setInterval(kRefreshMs);
  QObject::connect(m->timer.get(), &QTimer::timeout, [impl = m.get()] {
    if (!impl->AnyShown()) {
      impl->timer->stop();
      return;
    }
    impl->Refresh();
  });
  m->soon = std::make_unique<QTimer>();
  m->soon->setSingleShot(true);
  m->soon->setInterval(0);
  QObject::connect(m->soon.get(), &QTimer::timeout, [impl = m.get()] { impl->Refresh(); });
}

Panels::~Panels() {
  if (!GuiHere()) {
    // No widget may be touched off the QApplication's thread or without
    // one: let them go rather than crash (never happens in the program).
    for (auto& w : m->own) (void)w.release();
    (void)m->knobDialog.release();
    (void)m->macroEditor.release();
    (void)m->keyboard.release();
    (void)m->messages.release();
    (void)m->full.release();
    (void)m->soon.release();
    (void)m->timer.release();
    return;
  }
  m->timer->stop();
  m->soon->stop();
  m->own.clear();
  m->knobDialog.reset();
  m->macroEditor.reset();
  m->keyboard.reset();
  m->messages.reset();
  m->full.reset();
}

void Panels::ShowFull() { m->ShowPanel(&m->Full()); }

void Panels::HideFull() {
  if (m->full) m->full->hide();
}

void Panels::ShowMessageButtons() {
  if (!m->messages) m->MakeMessages();
  m->ShowPanel(m->messages.get());
}

void Panels::HideMessageButtons() {
  if (m->messages) m->messages->hide();
}

void Panels::ShowKeyboard() { m->ShowPanel(&m->Keyboard()); }

void Panels::HideKeyboard() {
  if (m->keyboard) m->keyboard->hide();
}

void Panels::ShowKnobSettings() { m->ShowKnobSettings(); }

void Panels::ShowMacroEditor() { m->ShowMacroEditor(); }

void Panels::ShowOwnWindow(const QString& objectName, const std::function<QWidget*()>& make) {
  QWidget* window = nullptr;
  for (const auto& w : m->own) {
    if (w->objectName() == objectName) window = w.get();
  }
  if (!window) {
    window = make ? make() : nullptr;
    if (!window) return;
    window->setObjectName(objectName);
    m->own.emplace_back(window);
  }
  m->ShowDialog(window);
}

void Panels::SetTitleBars(bool shown) {
  m->titleBars = shown;
  for (PanelWindow* w : m->PanelWindows()) w->SetTitleBar(shown);
}

void Panels::HidePart(PanelPart part) {
  m->parts[static_cast<int>(part)] = false;
  if (m->full) m->full->SetPartShown(part, false);
}

void Panels::SetMainWindow(MainWindowBounds bounds) { m->bounds = bounds; }

void Panels::SetBandPlan(const BandPlan& plan) {
  m->plan = plan;
  if (m->full) m->full->SetBandPlan(plan);
}

void Panels::FocusKnob(char vfo) {
  if (vfo != 'A' && vfo != 'B') return;
  m->knobVfo = vfo;
  if (m->full) m->full->FocusKnob(vfo);
}

void Panels::Refresh() { m->Refresh(); }

QWidget* Panels::LogGridSlot() { return m->Full().LogGridSlot(); }

}  // namespace radiopanel
