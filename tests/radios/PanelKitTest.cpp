// The soft-panel kit's rules, on a radio that records what it is asked:
// the panel actions macros are made of, the band memory, the band privileges.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelActions.h"
#include "TempProgramDir.h"

namespace {

using Lines = std::vector<std::string>;
using namespace radiopanel;

// A radio that does at once what it is asked and writes it down.
class RecordingRadio : public PanelRadio {
 public:
  RecordingRadio() {
    can.modeNames = {"LSB", "USB", "CW", "CWR", "RTTY", "AM", "FM", "PKTUSB"};
    can.power = can.keyerSpeed = can.rit = can.xit = can.split = can.vfoB = can.sendText = true;
    can.maxPower = 100;
    can.maxRitOffset = can.maxXitOffset = 9999;
    state.vfoA = 14025000;
    state.vfoB = 7025000;
    state.mode = "CW";
  }
  PanelAbilities Abilities() const override { return can; }
  PanelState State() const override { return state; }
  void SetFrequency(char vfo, std::int64_t hz) override {
    (vfo == 'B' ? state.vfoB : state.vfoA) = hz;
    Note(std::string("FREQ ") + vfo + " " + std::to_string(hz));
  }
  void SelectVfo(char vfo) override {
    state.activeVfo = vfo;
    Note(std::string("VFO ") + vfo);
  }
  void SetMode(const std::string& mode) override {
    state.mode = mode;
    Note("MODE " + mode);
  }
  void SetPower(int watts) override { Note("POWER " + std::to_string(watts)); }
  void SetKeyerSpeed(int wpm) override { Note("SPEED " + std::to_string(wpm)); }
  void SetRit(bool on, int offset) override {
    state.ritOn = on;
    state.ritOffset = offset;
    Note("RIT " + std::to_string(on) + " " + std::to_string(offset));
  }
  void SetXit(bool on, int offset) override { Note("XIT " + std::to_string(on) + " " + std::to_string(offset)); }
  void SetSplit(bool on) override { Note("SPLIT " + std::to_string(on)); }
  void SendMessage(int slot) override { Note("MSG " + std::to_string(slot)); }
  void SendText(const std::string& text) override { Note("TEXT " + text); }
  void StopSending() override { Note("STOP"); }
  void TurnOff() override { Note("OFF"); }

  Lines Take() { return std::exchange(calls, {}); }

  PanelAbilities can;
  PanelState state;

 private:
  void Note(std::string call) { calls.push_back(std::move(call)); }
  Lines calls;
};

}  // namespace

TEST(PanelKit, EachActionAsksTheRadioForWhatItSays) {
  struct Case {
    const char* action;
    Lines calls;     // what the radio is asked, in order
    const char* why;  // empty when the action is understood
  } cases[] = {
      {"FREQ A 7030000", {"FREQ A 7030000"}, ""},
      {"freq 14030000", {"FREQ A 14030000"}, ""},
      {"SHIFT -500", {"FREQ A 14024500"}, ""},
      {"VFO b", {"VFO B"}, ""},
      {"MODE pktusb", {"MODE PKTUSB"}, ""},
      {"BAND 40", {"FREQ A 7025000"}, ""},
      {"BAND 20m", {"FREQ A 14025000"}, ""},
      {"BAND UP", {"FREQ A 18093000"}, ""},
      {"POWER 250", {"POWER 100"}, ""},
      {"SPEED 28", {"SPEED 28"}, ""},
      {"RIT ON 120", {"RIT 1 120"}, ""},
      {"RIT TOGGLE", {"RIT 1 0"}, ""},
      {"RIT 0", {"RIT 0 0"}, ""},
      {"XIT OFF 20000", {"XIT 0 9999"}, ""},
      {"SPLIT ON", {"SPLIT 1"}, ""},
      {"MSG 1", {"MSG 0"}, ""},
      {"SEND  cq test ", {"TEXT cq test"}, ""},
      {"STOP", {"STOP"}, ""},
      {"# a note", {}, ""},
      {"", {}, ""},
      {"WARP 9", {}, "unknown action WARP"},
      {"MODE PSK31", {}, "the radio has no mode PSK31"},
      {"BAND 60", {}, "BAND needs UP, DOWN or one of 160 80 40 30 20 17 15 12 10 6"},
      {"FREQ C 7000000", {}, "FREQ needs a frequency in Hz, as FREQ A 14025000"},
      {"FREQ -5", {}, "FREQ needs a frequency in Hz, as FREQ A 14025000"},
      {"MSG 7", {}, "MSG needs a message number 1 to 6"},
      {"SPLIT MAYBE", {}, "SPLIT needs ON, OFF or TOGGLE"},
  };
  for (const Case& c : cases) {
    RecordingRadio radio;
    PanelActions actions(radio);
    std::string why;
    EXPECT_EQ(actions.Run(c.action, &why), std::string(c.why).empty()) << c.action;
    EXPECT_EQ(why, c.why) << c.action;
    EXPECT_EQ(radio.Take(), c.calls) << c.action;
    EXPECT_EQ(CheckAction(c.action, radio.can), c.why) << c.action;
  }

  // What the radio lacks is refused by name, not sent.
  RecordingRadio plain;
  plain.can.rit = plain.can.vfoB = false;
  EXPECT_EQ(CheckAction("RIT ON", plain.can), "the radio has no RIT");
  EXPECT_EQ(CheckAction("VFO B", plain.can), "the radio has no VFO B");
}

TEST(PanelKit, BandsComeBackWhereTheOperatorLeftThem) {
  RecordingRadio radio;
  PanelActions actions(radio);
  // A macro runs each line on the radio as the earlier lines left it.
  EXPECT_EQ(actions.RunMacro({"m", {"BAND 40", "MODE USB", "FREQ 7200000", "BAND 20", "BAND DOWN", "WARP", "BAND 40"}}), 6);
  EXPECT_EQ(radio.Take(), (Lines{"FREQ A 7025000", "MODE USB", "FREQ A 7200000", "FREQ A 14025000", "MODE CW",
                                 "FREQ A 10125000", "FREQ A 7200000", "MODE USB"}));
  // Band Up and Down stay inside 160 m to 6 m, from outside the bands too.
  radio.state.vfoA = 60000000;
  actions.StepBand(+1);
  EXPECT_EQ(radio.state.vfoA, 50025000);
  radio.state.vfoA = 1000000;
  actions.StepBand(-1);
  EXPECT_EQ(radio.state.vfoA, 1825000);
  // The VFO in use changes band.
  radio.state.activeVfo = 'B';
  radio.Take();
  actions.GoToBand(BandOfMetres(15));
  EXPECT_EQ(radio.Take(), (Lines{"FREQ B 21025000"}));
}

TEST(PanelKit, BandPlanTellsAmberFromRed) {
  TempProgramDir dir;
  dir.Write("Documents/limits.txt",
            "# comment\nBANDLIMIT=20M,14000,14350,14025,14150,14225,14350,14025,14150\r\n"
            "BANDLIMIT=30m,10100,10150,10100,10150,-1,-1,10100,10150\nBANDLIMIT=40M,7000\nbandlimit=80M,1,2,3,4,5,6,7,8\n");
  BandPlan plan;
  ASSERT_TRUE(plan.Load(dir.Path("Documents/limits.txt")));
  EXPECT_FALSE(plan.Load(dir.Path("Documents/missing.txt")));
  struct Case {
    std::int64_t hz;
    const char* mode;
    Privilege privilege;
  } cases[] = {
      {14025000, "CW", Privilege::Inside},          {14024999, "CWR", Privilege::OutsideOperator},
      {14200000, "CW", Privilege::OutsideOperator}, {14200000, "USB", Privilege::OutsideOperator},
      {14225000, "LSB", Privilege::Inside},         {14100000, "RTTY", Privilege::Inside},
      {14100000, "PKTUSB", Privilege::Inside},      {14300000, "FSK", Privilege::OutsideOperator},
      {10120000, "USB", Privilege::OutsideOperator},  // no phone on 30 m
      {10120000, "CW", Privilege::Inside},
      {7100000, "USB", Privilege::Inside},  // the short line left 40 m at its edges
      {3550000, "CW", Privilege::Inside},   // a lower-case prefix is no BANDLIMIT line
      {13999999, "CW", Privilege::OutsideBand},     {5357000, "USB", Privilege::OutsideBand},
  };
  for (const Case& c : cases) {
    const BandCheck check = plan.Check(c.hz, c.mode);
    EXPECT_EQ(check.privilege, c.privilege) << c.hz << " " << c.mode;
  }
  const BandCheck thirty = plan.Check(10120000, "USB");
  EXPECT_EQ(thirty.band, "30M");
  EXPECT_FALSE(thirty.opLowHz.has_value());
  EXPECT_EQ(plan.Check(14100000, "CW").opHighHz, 14150000);
}
