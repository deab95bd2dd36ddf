// What the binding promises a radio library about the texts and counts it
// exchanges, checked against KeepingRadio.dll, a library that keeps every
// text pointer it is handed and answers whatever list count the test sets.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RecordingMessageSink.h"
#include "radio/TRadioLib.h"
#include "radio/TVFOMemory.h"

namespace {

const std::string kKeepingRadio = std::string(TALVEX_TEST_RADIOLIBS_DIR) + "/KeepingRadio.dll";

// The library's test exports, through the loader like the binding's own.
class KeepingProbe {
 public:
  KeepingProbe() : m_handle(dlopen(kKeepingRadio.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    m_text = reinterpret_cast<TextFn>(dlsym(m_handle, "KEEPING_TEXT"));
    m_setCount = reinterpret_cast<void (*)(std::int32_t)>(dlsym(m_handle, "KEEPING_SETCOUNT"));
    m_listCalls = reinterpret_cast<std::int32_t (*)()>(dlsym(m_handle, "KEEPING_LISTCALLS"));
  }
  ~KeepingProbe() {
    if (m_handle) dlclose(m_handle);
  }
  bool Ready() const { return m_text && m_setCount && m_listCalls; }
  std::string Text(const char* which) const {
    char out[512];
    m_text(which, out, sizeof out);
    return out;
  }
  void SetCount(std::int32_t count) const { m_setCount(count); }
  int ListCalls() const { return m_listCalls(); }

 private:
  using TextFn = void (*)(const char*, char*, std::int32_t);
  void* m_handle;
  TextFn m_text = nullptr;
  void (*m_setCount)(std::int32_t) = nullptr;
  std::int32_t (*m_listCalls)() = nullptr;
};

// Fills freed heap blocks, so that a text that died with its call would
// read as something else (and AddressSanitizer reports the read).
void ChurnHeap() {
  std::vector<std::string> noise;
  for (int i = 0; i < 64; ++i) noise.emplace_back(300, '~');
}

bool Connect(TRadioLib& lib, KeepingProbe& probe) {
  std::string port = "COM3";
  probe.SetCount(0);
  return lib.ConnectRadio(1, std::string("Keeping,KeepingRadio,9600,a,b,c,d,NRND"), 0, port, false);
}

}  // namespace

TEST(RadioLibTexts, TextsTheLibraryKeptStayValidAfterTheCallReturns) {
  RecordingMessageSink messages;
  KeepingProbe probe;
  ASSERT_TRUE(probe.Ready());
  TRadioLib lib(kKeepingRadio);
  ASSERT_TRUE(Connect(lib, probe));

  // Every text is built on the heap for the call and gone when it returns.
  auto fresh = [](const std::string& text) { return std::string(text); };
  lib.SetNamesHistoryFile(1, fresh("/home/op/Documents/Talvex_NAMES.txt"));
  lib.SetLogFile(1, fresh("/home/op/my-own-log-file.adi"), true);
  lib.SetDefaultLogFile(1, fresh("/home/op/Logs/Dravel_DEFAULTLOG.txt"));
  lib.SetBandLimitsFile(fresh("/home/op/Dravel_RADIORESTART.txt"));
  lib.UpdateBandLimits();
  for (int slot = 0; slot < 6; ++slot)
    lib.SetMsgAtIndex(1, slot, fresh("CQ CQ DE W1AW W1AW SLOT " + std::to_string(slot) + " K"));
  lib.RunMacro(1, fresh("SPLIT UP FIVE"));
  lib.SetBaudRate(1, fresh("38400"));
  lib.SetAutoRepeatDelayTime(1, fresh("7"));
  lib.StoreVFOMemory(1, fresh("A1,14025000"));
  ChurnHeap();

  EXPECT_EQ(probe.Text("CONNECTION"), "Keeping,KeepingRadio,9600,a,b,c,d,NRND");
  EXPECT_EQ(probe.Text("DIRECTORY"), std::string(TALVEX_TEST_RADIOLIBS_DIR));
  EXPECT_EQ(probe.Text("NAMES"), "/home/op/Documents/Talvex_NAMES.txt");
  EXPECT_EQ(probe.Text("LOG"), "/home/op/my-own-log-file.adi");
  EXPECT_EQ(probe.Text("DEFAULTLOG"), "/home/op/Logs/Dravel_DEFAULTLOG.txt");
  EXPECT_EQ(probe.Text("BANDLIMITS"), "/home/op/Dravel_RADIORESTART.txt");
  for (int slot = 0; slot < 6; ++slot) {
    const std::string which = "MSG" + std::to_string(slot);
    EXPECT_EQ(probe.Text(which.c_str()), "CQ CQ DE W1AW W1AW SLOT " + std::to_string(slot) + " K");
  }
  EXPECT_EQ(probe.Text("MACRO"), "SPLIT UP FIVE");
  EXPECT_EQ(probe.Text("BAUD"), "38400");
  EXPECT_EQ(probe.Text("DELAY"), "7");
  EXPECT_EQ(probe.Text("VFOMEMORY"), "A1,14025000");

  // Setting one slot again leaves the other slots' texts where they were.
  lib.SetMsgAtIndex(1, 2, "TU 73");
  EXPECT_EQ(probe.Text("MSG2"), "TU 73");
  EXPECT_EQ(probe.Text("MSG3"), "CQ CQ DE W1AW W1AW SLOT 3 K");
  EXPECT_TRUE(messages.Messages().empty());
  lib.DisconnectRadio(1);
}

TEST(RadioLibTexts, NoLibraryIsHandedMoreThanTheContractPromises) {
  RecordingMessageSink messages;
  KeepingProbe probe;
  ASSERT_TRUE(probe.Ready());
  TRadioLib lib(kKeepingRadio);
  ASSERT_TRUE(Connect(lib, probe));

  lib.RunMacro(1, std::string(45, 'M'));
  lib.SetBaudRate(1, std::string(25, '9'));
  lib.SetAutoRepeatDelayTime(1, std::string(25, '5'));
  lib.StoreVFOMemory(1, "ABCD,1234567890123");
  lib.SetMsgAtIndex(1, 0, std::string(150, 'E'));
  std::string port = "COM3";
  lib.DisconnectRadio(1);
  ASSERT_TRUE(lib.ConnectRadio(1, std::string(90, 'c'), 0, port, false));

  EXPECT_EQ(probe.Text("MACRO"), std::string(30, 'M'));
  EXPECT_EQ(probe.Text("BAUD"), std::string(TRadioLib::kBaudTextLength, '9'));
  EXPECT_EQ(probe.Text("DELAY"), std::string(TRadioLib::kDelayTextLength, '5'));
  EXPECT_EQ(probe.Text("VFOMEMORY"), "ABCD,123456789");
  EXPECT_EQ(probe.Text("VFOMEMORY").size(), TVFOMemory::kTextLength);
  EXPECT_EQ(probe.Text("MSG0"), std::string(TRadioLib::kMessageLength, 'E'));
  EXPECT_EQ(probe.Text("CONNECTION"), std::string(64, 'c'));
  lib.DisconnectRadio(1);
}

TEST(RadioLibTexts, AGarbageListCountIsBounded) {
  RecordingMessageSink messages;
  KeepingProbe probe;
  ASSERT_TRUE(probe.Ready());
  TRadioLib lib(kKeepingRadio);
  ASSERT_TRUE(Connect(lib, probe));

  struct Case {
    std::int32_t count;
    std::size_t expected;
  } cases[] = {{INT32_MAX, TRadioLib::kMaxListCount}, {3, 3}, {-5, 0}, {0, 0}};
  for (const Case& c : cases) {
    probe.SetCount(c.count);
    const int before = probe.ListCalls();
    std::vector<std::string> modes, macros;
    std::vector<TVFOMemory> memories;
    lib.GetModeNames(1, modes);
    lib.GetMacroNames(1, macros);
    lib.GetVFOMemories(1, memories);
    EXPECT_EQ(modes.size(), c.expected) << c.count;
    EXPECT_EQ(macros.size(), c.expected) << c.count;
    EXPECT_EQ(memories.size(), c.expected) << c.count;
    EXPECT_EQ(probe.ListCalls() - before, static_cast<int>(3 * c.expected)) << c.count;
  }
  lib.DisconnectRadio(1);
}
