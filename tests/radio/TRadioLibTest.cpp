// TRadioLib against the real loader and the simulated Varo radio libraries
// built into the program's Devices folder.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "VaroSimProbe.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "platform/Event.h"
#include "radio/TRadioLib.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kConnectionText = "Varo,VaroSim,38400,a,b,c,d,NRND";

// A radio library file of the test's own, so that no other test holds it
// loaded and its unloading can be observed.
std::string PrivateCopy(const TempProgramDir& dir, const std::string& library, const std::string& name) {
  std::string path = dir.Path("Devices/" + name);
  std::filesystem::copy_file(DevicesFile(library), path);
  return path;
}

bool StillMapped(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

bool Connect(TRadioLib& lib, int radio = 1, platform::EventHandle event = 0) {
  std::string port = "COM3";
  return lib.ConnectRadio(radio, kConnectionText, event, port, true);
}

// One library variant, loaded by a binding under test and by a probe.
struct SimSession {
  explicit SimSession(const std::string& file) : lib(DevicesFile(file)), probe(DevicesFile(file)) {
    probe.Control("RESET", 1);
    probe.Control("RESET", 2);
    probe.ClearTrace();
  }
  TRadioLib lib;
  VaroSimProbe probe;
};

}  // namespace

TEST(TRadioLib, AppendsDllOnlyWhenTheNameLacksIt) {
  struct Case {
    std::string given, expected;
  } cases[] = {
      {"/opt/Devices/Radio", "/opt/Devices/Radio.dll"},
      {"/opt/Devices/Radio.dll", "/opt/Devices/Radio.dll"},
      {"/opt/x.dll/Radio", "/opt/x.dll/Radio"},           // found inside a directory name
      {"/opt/Devices/Radio.DLL", "/opt/Devices/Radio.DLL.dll"},  // the search minds the case
      {std::string(258, 'r'), std::string(258, 'r') + ".d"},     // cut to 260 characters
      {std::string(300, 'r'), std::string(260, 'r')},
  };
  for (const Case& c : cases) {
    TRadioLib lib(c.given);
    EXPECT_EQ(lib.LibraryFileName().str(), c.expected);
    EXPECT_FALSE(lib.IsLoaded());
  }
}

TEST(TRadioLib, MissingFileGivesOneMessageAndNoLoad) {
  RecordingMessageSink messages;
  TempProgramDir dir;
  std::filesystem::create_directory(dir.Path("Devices/Folder.dll"));
  for (std::string name : {dir.Path("Devices/Nowhere"), dir.Path("Devices/Folder.dll")}) {
    messages.Clear();
    TRadioLib lib(name);
    EXPECT_FALSE(lib.LoadRadioLib());
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_EQ(messages.Messages(), Lines{"ERROR: Missing DLL " + lib.LibraryFileName().str()});

    messages.Clear();
    std::string port = "COM1";
    EXPECT_FALSE(lib.ConnectRadio(1, kConnectionText, 0, port, true));
    EXPECT_EQ(messages.Messages(),
              (Lines{"ERROR: Missing DLL " + lib.LibraryFileName().str(), "Failure loading the RadioLib"}));
  }
}

TEST(TRadioLib, FileThatIsNotALibraryLoadsWithAnEmptyTable) {
  RecordingMessageSink messages;
  TempProgramDir dir;
  dir.Write("Devices/Junk.dll", "this is not a shared object\n");

  TRadioLib loaded(dir.Path("Devices/Junk.dll"));
  EXPECT_TRUE(loaded.LoadRadioLib());
  EXPECT_FALSE(loaded.IsLoaded());
  EXPECT_EQ(messages.Messages(), Lines{"Must first load DLL library"});

  messages.Clear();
  TRadioLib connected(dir.Path("Devices/Junk"));
  std::string port = "COM1";
  EXPECT_FALSE(connected.ConnectRadio(1, kConnectionText, 0, port, true));
  EXPECT_FALSE(connected.IsLoaded());
  EXPECT_EQ(messages.Messages(),
            (Lines{"Must first load DLL library", "Library function pConnectRadio not found"}));
}

TEST(TRadioLib, LoadsOnceUnloadsOnceAndKeepsTheLibraryAtDestruction) {
  RecordingMessageSink messages;
  TempProgramDir dir;
  std::string twice = PrivateCopy(dir, "VaroSim.dll", "Twice.dll");
  {
    TRadioLib lib(twice);
    EXPECT_TRUE(lib.LoadRadioLib());
    EXPECT_TRUE(lib.LoadRadioLib());
    EXPECT_TRUE(lib.IsLoaded());
    // The sim exports what the program calls, not the 36 exports it never calls.
    EXPECT_FALSE(lib.ResolveFunctions());
    lib.UnloadRadioLib();
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_FALSE(StillMapped(twice)) << "a second load was not balanced";
    // Nothing reaches the released library: the operations fall back.
    EXPECT_EQ(lib.GetFrequency(1), 0);
    lib.SendMsgAtIndex(1, 0);
    EXPECT_EQ(messages.Messages(), Lines{"SendMsgAtIndex is not available"});
  }

  std::string kept = PrivateCopy(dir, "VaroSim.dll", "Kept.dll");
  {
    TRadioLib lib(kept);
    ASSERT_TRUE(Connect(lib));
  }
  EXPECT_TRUE(StillMapped(kept)) << "destruction must not unload a library that was not disconnected";
}

TEST(TRadioLib, ConnectsWithTitleFlagPortTextAndDirectory) {
  RecordingMessageSink messages;
  SimSession sim("VaroSim.dll");
  platform::EventHandle change = platform::NewEvent();
  std::string port = "com7";
  ASSERT_TRUE(sim.lib.ConnectRadio(2, kConnectionText, change, port, false));
  EXPECT_TRUE(sim.lib.IsLoaded());
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_EQ(port, "COM7") << "the port name comes back as the library left it";
  EXPECT_EQ(sim.probe.Trace(),
            (Lines{"INITTITLEBARFLAG(0)",
                   "CONNECTRADIO(\"com7\", " + std::to_string(change) + ", \"" + kConnectionText + "\", 2)",
                   "SETRADIODIRECTORY(\"" + std::string(TALVEX_DEVICES_DIR) + "\")"}));

  // The connection text is cut to 64 characters; the port to 6.
  sim.probe.ClearTrace();
  std::string longPort = "COM1234567";
  ASSERT_TRUE(sim.lib.ConnectRadio(1, std::string(80, 'x'), change, longPort, true));
  EXPECT_EQ(sim.probe.Calls("CONNECTRADIO"),
            Lines{"CONNECTRADIO(\"COM123\", " + std::to_string(change) + ", \"" + std::string(64, 'x') + "\", 1)"});
  EXPECT_EQ(longPort, "COM123");
  platform::CloseEvent(change);
}

TEST(TRadioLib, PassesArgumentsInTheOrderOfTheExports) {
  RecordingMessageSink messages;
  SimSession sim("VaroSim.dll");
  ASSERT_TRUE(Connect(sim.lib, 2));
  platform::EventHandle start = platform::NewEvent();
  platform::EventHandle over = platform::NewEvent();
  std::string s = std::to_string(start), o = std::to_string(over);
  sim.probe.Control("VFOMEMORIES=A,14025000;B,7025000", 2);
  sim.probe.Control("MODES=CW,USB", 2);
  sim.probe.Control("MACROS=Zero RIT", 2);
  std::vector<std::string> names;
  std::vector<TVFOMemory> memories;

  struct Case {
    std::function<void()> call;
    Lines trace;
  } cases[] = {
      {[&] { sim.lib.SetMsgEventHandles(2, start, over); }, {"SETMSGEVENTHANDLES(" + o + ", " + s + ", 2)"}},
      {[&] { sim.lib.SetLogRequestEventHandle(2, start); }, {"SETLOGREQUESTEVENTHANDLE(" + s + ", 2)"}},
      {[&] { sim.lib.SetShowMembers(2, true, false); }, {"SETSHOWMEMBERS(0, 1, 2)"}},
      {[&] { sim.lib.SetShowMembers(2, false, true); }, {"SETSHOWMEMBERS(1, 0, 2)"}},
      {[&] { sim.lib.SetLogFile(2, "/logs/my.adi", true); }, {"SETLOGFILE(1, \"/logs/my.adi\", 2)"}},
      {[&] { sim.lib.SetCenteredFormsInfo(false, 10, 20, 30, 40); }, {"SETCENTEREDFORMSINFO(40, 30, 20, 10, 0)"}},
      {[&] { sim.lib.GetVFOMemories(2, memories); },
       {"GETNUMVFOMEMORIES(&0, 2)", "GETVFOMEMORYATINDEX(14, buf, 0, 2)", "GETVFOMEMORYATINDEX(14, buf, 1, 2)"}},
      {[&] { sim.lib.GetModeNames(2, names); },
       {"GETNUMMODES(&0, 2)", "GETMODENAMEATINDEX(9, buf, 0, 2)", "GETMODENAMEATINDEX(9, buf, 1, 2)"}},
      {[&] { sim.lib.GetMacroNames(2, names); }, {"GETNUMMACROS(&0, 2)", "GETMACRONAMEATINDEX(30, buf, 0, 2)"}},
      {[&] { sim.lib.GetBaudRate(2, 6); }, {"GETBAUDRATE(6, buf, 2)"}},
      {[&] { sim.lib.GetMsgId(2); }, {"GETMSGID(&-1, 2)"}},
      {[&] { sim.lib.RadioSupportsRit(); }, {"SUPPORTSRIT(&0)"}},
      {[&] { sim.lib.RadioSupportsXit(); }, {"SUPPORTSXIT(&0)"}},
      {[&] { sim.lib.GetRitIsOn(2); }, {"GETRITISON(&0, 2)"}},
      {[&] { sim.lib.SetMsgAtIndex(2, 4, "TU 5NN"); }, {"SETMSGATINDEX(\"TU 5NN\", 4, 2)"}},
      {[&] { sim.lib.SetAutoRepeatDelayTime(2, "12"); }, {"SETAUTOREPEATDELAYTIME(\"12\", 2)"}},
      {[&] { sim.lib.SetAutoRepeatStatus(2, true); }, {"SETAUTOREPEATSTATUS(1, 2)"}},
      {[&] { sim.lib.StoreVFOMemory(2, "C,3525000"); }, {"STOREVFOMEMORY(\"C,3525000\", 2)"}},
      {[&] { sim.lib.RunMacro(2, "Zero RIT"); }, {"RUNMACRO(\"Zero RIT\", 2)"}},
      {[&] { sim.lib.FocusVfoKnob(2, 'B'); }, {"FOCUSVFOKNOB('B', 2)"}},
      {[&] { sim.lib.SetWantsLog(2, true); }, {"SETWANTSLOG(1, 2)"}},
      {[&] { sim.lib.SetBaudRate(2, "4800"); }, {"SETBAUDRATE(\"4800\", 2)"}},
      {[&] {
         sim.lib.SetBandLimitsFile("/data/Dravel_RADIORESTART.txt");
         sim.lib.UpdateBandLimits();
       },
       {"UPDATEBANDLIMITS(\"/data/Dravel_RADIORESTART.txt\")"}},
  };
  for (const Case& c : cases) {
    sim.probe.ClearTrace();
    c.call();
    EXPECT_EQ(sim.probe.Trace(), c.trace);
  }
  EXPECT_TRUE(messages.Messages().empty());
  platform::CloseEvent(start);
  platform::CloseEvent(over);
}

TEST(TRadioLib, ReadsWhatTheLibraryAnswers) {
  RecordingMessageSink messages;
  SimSession sim("VaroSim.dll");
  ASSERT_TRUE(Connect(sim.lib));
  for (const char* command : {"FREQ=7025300", "MODE=USB", "POWER=50", "SPEED=32", "RIT=ON", "RITFREQ=-120",
                              "XIT=OFF", "XITFREQ=300"}) {
    sim.probe.Control(command);
  }
  EXPECT_EQ(sim.lib.GetFrequency(1), 7025300);
  EXPECT_EQ(sim.lib.GetMode(1), 1);
  EXPECT_EQ(sim.lib.GetOutputPower(1), 50);
  EXPECT_EQ(sim.lib.GetKeyerSpeed(1), 32);
  EXPECT_TRUE(sim.lib.GetRitIsOn(1));
  EXPECT_EQ(sim.lib.GetRitFreq(1), -120);
  EXPECT_FALSE(sim.lib.GetXitIsOn(1));
  EXPECT_EQ(sim.lib.GetXitFreq(1), 300);
  EXPECT_TRUE(sim.lib.ReadFrequency(1));
  EXPECT_TRUE(sim.lib.ReadMode(1));

  // The baud rate from the connection text, cut to the length asked for.
  EXPECT_EQ(sim.lib.GetBaudRate(1, 6), "38400");
  EXPECT_EQ(sim.lib.GetBaudRate(1, 3), "384");
  EXPECT_EQ(sim.lib.GetBaudRate(1, 0), "");

  std::vector<std::string> names{"stale"};
  sim.lib.GetModeNames(1, names);
  EXPECT_EQ(names, (Lines{"LSB", "USB", "CW", "CW-R", "FSK", "FSR", "AM", "FM"}));
  sim.probe.Control("MODES=CW,DIGITALVOICE");
  sim.lib.GetModeNames(1, names);
  EXPECT_EQ(names, (Lines{"CW", "DIGITALVO"})) << "mode names are at most 9 characters";
  sim.probe.Control("MACROS=Zero RIT," + std::string(40, 'm'));
  sim.lib.GetMacroNames(1, names);
  EXPECT_EQ(names, (Lines{"Zero RIT", std::string(30, 'm')})) << "macro names are at most 30 characters";

  std::vector<TVFOMemory> memories{TVFOMemory("old", 1)};
  sim.probe.Control("VFOMEMORIES=");
  sim.lib.GetVFOMemories(1, memories);
  EXPECT_TRUE(memories.empty()) << "zero memories leave the list empty";
  sim.lib.StoreVFOMemory(1, "A,14025000");
  sim.lib.StoreVFOMemory(1, "LONGNAME,-7");
  sim.lib.GetVFOMemories(1, memories);
  EXPECT_EQ(memories, (std::vector<TVFOMemory>{TVFOMemory("A", 14025000), TVFOMemory("LONG", -7)}));
  EXPECT_TRUE(messages.Messages().empty());
}

namespace {

struct Operation {
  const char* name;
  std::function<void(TRadioLib&)> call;  // checks the neutral result where there is one
  const char* messageWhenMissing;        // empty: silent
  const char* exportCalled;
};

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"SetLogRequestEventHandle", [](TRadioLib& l) { l.SetLogRequestEventHandle(1, 0); },
       "Library function pSetLogRequestEventHandle not found", "SETLOGREQUESTEVENTHANDLE"},
      {"SetMsgEventHandles", [](TRadioLib& l) { l.SetMsgEventHandles(1, 0, 0); },
       "Library function pSetMsgEventHandles not found", "SETMSGEVENTHANDLES"},
      {"GetMsgId", [](TRadioLib& l) { EXPECT_EQ(l.GetMsgId(1), -1); }, "", "GETMSGID"},
      {"StoreVFOMemory", [](TRadioLib& l) { l.StoreVFOMemory(1, "Z,1"); }, "Function StoreVFOMemory not found in DLL",
       "STOREVFOMEMORY"},
      {"GetVFOMemories",
       [](TRadioLib& l) {
         std::vector<TVFOMemory> list{TVFOMemory("X", 1)};
         l.GetVFOMemories(1, list);
         EXPECT_TRUE(list.empty() || !(list.front() == TVFOMemory("X", 1))) << "the list is cleared first";
       },
       "", "GETVFOMEMORYATINDEX"},
      {"UpdateBandLimits", [](TRadioLib& l) { l.UpdateBandLimits(); }, "", "UPDATEBANDLIMITS"},
      {"GetFrequency", [](TRadioLib& l) { l.GetFrequency(1); }, "", "GETFREQUENCY"},
      {"ReadFrequency", [](TRadioLib& l) { l.ReadFrequency(1); }, "Library function pReadFrequency not found",
       "READFREQUENCY"},
      {"GetOutputPower", [](TRadioLib& l) { l.GetOutputPower(1); }, "", "GETOUTPUTPOWER"},
      {"GetRitIsOn", [](TRadioLib& l) { l.GetRitIsOn(1); }, "Library function pGetRitIsOn not found", "GETRITISON"},
      {"GetXitIsOn", [](TRadioLib& l) { l.GetXitIsOn(1); }, "Library function pGetXitIsOn not found", "GETXITISON"},
      {"GetRitFreq", [](TRadioLib& l) { l.GetRitFreq(1); }, "Library function pGetRitFreq not found", "GETRITFREQ"},
      {"GetXitFreq", [](TRadioLib& l) { l.GetXitFreq(1); }, "Library function pGetXitFreq not found", "GETXITFREQ"},
      {"SetMsgAtIndex", [](TRadioLib& l) { l.SetMsgAtIndex(1, 0, "CQ"); }, "SetMsgAtIndex is not available",
       "SETMSGATINDEX"},
      {"SendMsgAtIndex", [](TRadioLib& l) { l.SendMsgAtIndex(1, 0); }, "SendMsgAtIndex is not available",
       "SENDMSGATINDEX"},
      {"StopAutoRepeatMessage", [](TRadioLib& l) { l.StopAutoRepeatMessage(1); }, "", "STOPAUTOREPEATMESSAGE"},
      {"SetAutoRepeatDelayTime", [](TRadioLib& l) { l.SetAutoRepeatDelayTime(1, "5"); }, "",
       "SETAUTOREPEATDELAYTIME"},
      {"SetAutoRepeatStatus", [](TRadioLib& l) { l.SetAutoRepeatStatus(1, false); }, "", "SETAUTOREPEATSTATUS"},
      {"RunMacro", [](TRadioLib& l) { l.RunMacro(1, "Band Up"); }, "", "RUNMACRO"},
      {"GetMacroNames",
       [](TRadioLib& l) {
         std::vector<std::string> list{"stale"};
         l.GetMacroNames(1, list);
         EXPECT_NE(list, Lines{"stale"});
       },
       "", "GETMACRONAMEATINDEX"},
      {"GetModeNames",
       [](TRadioLib& l) {
         std::vector<std::string> list{"stale"};
         l.GetModeNames(1, list);
         EXPECT_NE(list, Lines{"stale"});
       },
       "", "GETMODENAMEATINDEX"},
      {"GetMode", [](TRadioLib& l) { l.GetMode(1); }, "", "GETMODE"},
      {"ReadMode", [](TRadioLib& l) { l.ReadMode(1); }, "Library function pReadMode not found", "READMODE"},
      {"SetBaudRate", [](TRadioLib& l) { l.SetBaudRate(1, "38400"); }, "Library function pSetBaudRate not found",
       "SETBAUDRATE"},
      {"GetBaudRate", [](TRadioLib& l) { l.GetBaudRate(1, 6); }, "", "GETBAUDRATE"},
      {"GetKeyerSpeed", [](TRadioLib& l) { l.GetKeyerSpeed(1); }, "", "GETKEYERSPEED"},
      {"ShowKeyboard", [](TRadioLib& l) { l.ShowKeyboard(1); }, "Keyboard is not available", "SHOWKEYBOARD"},
      {"HideKeyboard", [](TRadioLib& l) { l.HideKeyboard(1); }, "Hide Keyboard is not available", "HIDEKEYBOARD"},
      {"ShowLogGrid", [](TRadioLib& l) { l.ShowLogGrid(1); }, "Logging grid is not available on the radio panel",
       "SHOWLOGGRID"},
      {"HideLogGrid", [](TRadioLib& l) { l.HideLogGrid(1); }, "Hide logging grid is not available for this radio",
       "HIDELOGGRID"},
      {"ShowMsgButtons", [](TRadioLib& l) { l.ShowMsgButtons(1); }, "Message buttons are not available",
       "SHOWMSGBUTTONS"},
      {"HideMsgButtons", [](TRadioLib& l) { l.HideMsgButtons(1); }, "Hide Message buttons is not available",
       "HIDEMSGBUTTONS"},
      {"ShowTitleBars", [](TRadioLib& l) { l.ShowTitleBars(1); }, "", "SHOWTITLEBARS"},
      {"HideTitleBars", [](TRadioLib& l) { l.HideTitleBars(1); }, "", "HIDETITLEBARS"},
      {"SetShowMembers", [](TRadioLib& l) { l.SetShowMembers(1, true, true); }, "", "SETSHOWMEMBERS"},
      {"SetNamesHistoryFile", [](TRadioLib& l) { l.SetNamesHistoryFile(1, "/n.txt"); }, "", "SETNAMESHISTORYFILE"},
      {"SetLogFile", [](TRadioLib& l) { l.SetLogFile(1, "/l.txt", false); }, "", "SETLOGFILE"},
      {"SetWantsLog", [](TRadioLib& l) { l.SetWantsLog(1, true); }, "", "SETWANTSLOG"},
      {"SetDefaultLogFile", [](TRadioLib& l) { l.SetDefaultLogFile(1, "/d.txt"); }, "", "SETDEFAULTLOGFILE"},
      {"ShowConfig", [](TRadioLib& l) { l.ShowConfig(1); }, "Configuration display is not available", "SHOWCONFIG"},
      {"ShowPigKnobConfig", [](TRadioLib& l) { l.ShowPigKnobConfig(1); },
       "Pig Knob configuration display is not available", "SHOWPIGKNOBCONFIG"},
      {"AddMacros", [](TRadioLib& l) { l.AddMacros(1); }, "Add macros dialog is not available", "ADDMACROS"},
      {"HideConfigPanel", [](TRadioLib& l) { l.HideConfigPanel(1); }, "Hide configuration panel is not available",
       "HIDECONFIGPANEL"},
      {"HideClosePanel", [](TRadioLib& l) { l.HideClosePanel(1); }, "Hide close panel is not available",
       "HIDECLOSEPANEL"},
      {"HideSmallPanel", [](TRadioLib& l) { l.HideSmallPanel(1); }, "Hide small panel is not available",
       "HIDESMALLPANEL"},
      {"ShowMoreControls", [](TRadioLib& l) { l.ShowMoreControls(1); }, "More controls function is not available",
       "SHOWMORECONTROLS"},
      {"RadioSupportsRit", [](TRadioLib& l) { l.RadioSupportsRit(); }, "RadioSupportsRit function is not available",
       "SUPPORTSRIT"},
      {"RadioSupportsXit", [](TRadioLib& l) { l.RadioSupportsXit(); }, "RadioSupportsXit function is not available",
       "SUPPORTSXIT"},
      {"SetCenteredFormsInfo", [](TRadioLib& l) { l.SetCenteredFormsInfo(false, 1, 2, 3, 4); }, "",
       "SETCENTEREDFORMSINFO"},
      {"FocusVfoKnob", [](TRadioLib& l) { l.FocusVfoKnob(1, 'A'); }, "", "FOCUSVFOKNOB"},
      {"TurnOffRadio", [](TRadioLib& l) { l.TurnOffRadio(1); }, "The Turn off radio function is not available",
       "TURNOFFRADIO"},
  };
  return operations;
}

}  // namespace

TEST(TRadioLib, EveryOperationReachesItsExport) {
  RecordingMessageSink messages;
  SimSession sim("VaroSim.dll");
  ASSERT_TRUE(Connect(sim.lib));
  for (const Operation& op : Operations()) {
    sim.probe.ClearTrace();
    op.call(sim.lib);
    EXPECT_FALSE(sim.probe.Calls(op.exportCalled).empty()) << op.name;
  }
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(TRadioLib, LibraryWithOnlyConnectRadioConnectsAndFallsBackEverywhere) {
  RecordingMessageSink messages;
  SimSession sim("VaroSimOnlyConnect.dll");
  ASSERT_TRUE(Connect(sim.lib));
  EXPECT_TRUE(sim.lib.IsLoaded());
  EXPECT_EQ(messages.Messages(), Lines{"Library function pInitTitleBarFlag not found"});

  for (const Operation& op : Operations()) {
    messages.Clear();
    op.call(sim.lib);
    Lines expected;
    if (*op.messageWhenMissing) expected.push_back(op.messageWhenMissing);
    EXPECT_EQ(messages.Messages(), expected) << op.name;
  }
  // The neutral values.
  EXPECT_EQ(sim.lib.GetMsgId(1), -1);
  EXPECT_EQ(sim.lib.GetFrequency(1), 0);
  EXPECT_EQ(sim.lib.GetOutputPower(1), 0);
  EXPECT_EQ(sim.lib.GetMode(1), 0);
  EXPECT_EQ(sim.lib.GetKeyerSpeed(1), 0);
  EXPECT_EQ(sim.lib.GetBaudRate(1, 6), "0");
  EXPECT_EQ(sim.lib.GetBaudRate(1, 0), "");
  std::vector<std::string> names{"stale"};
  sim.lib.GetModeNames(1, names);
  EXPECT_TRUE(names.empty());
  messages.Clear();
  EXPECT_FALSE(sim.lib.ReadFrequency(1));
  EXPECT_FALSE(sim.lib.ReadMode(1));
  EXPECT_FALSE(sim.lib.GetRitIsOn(1));
  EXPECT_EQ(sim.lib.GetRitFreq(1), 0);
  EXPECT_FALSE(sim.lib.RadioSupportsRit());

  // Without DISCONNECTRADIO nothing is said and the library stays loaded.
  messages.Clear();
  sim.lib.DisconnectRadio(1);
  EXPECT_TRUE(sim.lib.IsLoaded());
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_EQ(sim.probe.Trace().size(), 1u) << "only CONNECTRADIO was ever called";
}

TEST(TRadioLib, MissingMsgIdAndBaudRateGiveMinusOneAndZero) {
  RecordingMessageSink messages;
  SimSession sim("VaroSimNoMsgIdBaud.dll");
  ASSERT_TRUE(Connect(sim.lib));
  sim.lib.SetMsgAtIndex(1, 3, "PARIS PARIS PARIS");
  sim.probe.Control("SPEED=5");
  sim.lib.SendMsgAtIndex(1, 3);
  EXPECT_EQ(sim.lib.GetMsgId(1), -1);
  EXPECT_EQ(sim.lib.GetBaudRate(1, 6), "0");
  sim.lib.StopAutoRepeatMessage(1);
  EXPECT_TRUE(messages.Messages().empty());
  sim.lib.DisconnectRadio(1);
}

TEST(TRadioLib, VfoMemoryCountWithoutTheGetterLeavesTheListEmpty) {
  RecordingMessageSink messages;
  SimSession sim("VaroSimVfoCountOnly.dll");
  ASSERT_TRUE(Connect(sim.lib));
  ASSERT_GT(sim.probe.Query("VFOMEMORIES"), 0);
  sim.probe.ClearTrace();
  std::vector<TVFOMemory> memories{TVFOMemory("X", 1)};
  sim.lib.GetVFOMemories(1, memories);
  EXPECT_TRUE(memories.empty());
  EXPECT_TRUE(sim.probe.Trace().empty()) << "the count is not asked for when the getter is missing";
  EXPECT_EQ(messages.Messages(), Lines{"Library function pInitTitleBarFlag not found"});
}

TEST(TRadioLib, RitSupportWithoutRitFrequencyReportsEveryTime) {
  RecordingMessageSink messages;
  SimSession sim("VaroSimRitNoFreq.dll");
  ASSERT_TRUE(Connect(sim.lib));
  EXPECT_TRUE(sim.lib.RadioSupportsRit());
  sim.probe.Control("RIT=ON");
  for (int refresh = 0; refresh < 3; ++refresh) {
    EXPECT_TRUE(sim.lib.GetRitIsOn(1));
    EXPECT_EQ(sim.lib.GetRitFreq(1), 0);
  }
  EXPECT_EQ(messages.Messages(), Lines(3, "Library function pGetRitFreq not found"));
  sim.lib.DisconnectRadio(1);
}

TEST(TRadioLib, MissingTitleFlagIsReportedMissingDirectoryIsSilent) {
  RecordingMessageSink messages;
  SimSession sim("VaroSimNoTitleDir.dll");
  EXPECT_TRUE(Connect(sim.lib));
  EXPECT_EQ(messages.Messages(), Lines{"Library function pInitTitleBarFlag not found"});
  EXPECT_EQ(sim.probe.Trace().size(), 1u);
  EXPECT_EQ(sim.probe.Query("CONNECTED"), 1);
  sim.lib.DisconnectRadio(1);
}

TEST(TRadioLib, DisconnectTakesOnlyRadioOneOrTwo) {
  RecordingMessageSink messages;
  TempProgramDir dir;
  std::string path = PrivateCopy(dir, "VaroSim.dll", "Pair.dll");
  TRadioLib lib(path);
  ASSERT_TRUE(Connect(lib));
  for (int radio : {0, 3, -1}) {
    messages.Clear();
    lib.DisconnectRadio(radio);
    EXPECT_EQ(messages.Messages(), Lines{"Invalid radio ID"});
    EXPECT_TRUE(lib.IsLoaded());
  }
  {
    VaroSimProbe probe(path);
    EXPECT_TRUE(probe.Calls("DISCONNECTRADIO").empty());
    EXPECT_EQ(probe.Query("KEYER"), 1);
  }
  messages.Clear();
  lib.DisconnectRadio(1);
  EXPECT_FALSE(lib.IsLoaded());
  EXPECT_FALSE(StillMapped(path));
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(TRadioLib, EventsSetByTheLibraryWakeAWaitingThread) {
  RecordingMessageSink messages;
  SimSession sim("VaroSim.dll");
  platform::EventHandle change = platform::NewEvent();
  platform::EventHandle log = platform::NewEvent();
  ASSERT_TRUE(Connect(sim.lib, 1, change));
  sim.lib.SetLogRequestEventHandle(1, log);
  for (auto event : {change, log}) {
    while (platform::WaitForEvent(event, 0) == platform::WaitResult::Signalled) {
    }
  }
  // A generous bound only keeps a broken build from hanging.
  auto waiter = std::async(std::launch::async, [&] { return platform::WaitForEvent(change, 20000); });
  sim.probe.Control("KNOB=5");
  EXPECT_EQ(waiter.get(), platform::WaitResult::Signalled);
  EXPECT_EQ(sim.lib.GetFrequency(1), 14025050);

  waiter = std::async(std::launch::async, [&] { return platform::WaitForEvent(log, 20000); });
  sim.probe.Control("EVENT=LOGREQUEST");
  EXPECT_EQ(waiter.get(), platform::WaitResult::Signalled);

  // A released handle is harmless to the library.
  platform::CloseEvent(log);
  EXPECT_EQ(sim.probe.TryControl("EVENT=LOGREQUEST"), 0);
  platform::CloseEvent(change);
}
