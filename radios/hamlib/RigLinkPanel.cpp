// What RigLink does for the soft panels: the abilities a panel shows, the
// values only a panel wants (split, the other VFO, the meters), and the
// operator's actions.

#include <hamlib/rig.h>

#include <algorithm>
#include <cmath>

#include "HamlibCall.h"
#include "RigLink.h"

namespace hamlibradio {
namespace {

// The widest RIT and XIT offsets offered while rigctld has not told its
// radio's.
constexpr int kGuessedMaxOffset = 9999;

rig_model_t Model(const s_rig* rig) { return rig->caps->rig_model; }

vfo_t VfoOf(char vfo) { return vfo == 'B' ? RIG_VFO_B : RIG_VFO_A; }

}  // namespace

// rigctld tells its radio's abilities only when opened; until then a
// network model is taken to have the usual ones, so that a panel built
// before the radio first answers is not empty.
void RigLink::LearnAbilities() {
  const rig_caps* caps = m_rig->caps;
  const rig_state& state = m_rig->state;
  const bool guess = m_info.network && !m_open;
  RigAbilities a;
  if (guess || state.mode_list == 0) {
    a.modeNames = m_info.modeNames;
    a.modeBits = m_info.modeBits;
  } else {
    AllModes(a.modeNames, a.modeBits, state.mode_list);
  }
  auto canSet = [&](setting_t level) { return guess || rig_has_set_level(m_rig, level) != 0; };
  auto canGet = [&](setting_t level) { return guess || rig_has_get_level(m_rig, level) != 0; };
  a.setPower = caps->set_level && canSet(RIG_LEVEL_RFPOWER);
  a.setKeyerSpeed = caps->set_level && canSet(RIG_LEVEL_KEYSPD);
  a.sMeter = caps->get_level && canGet(RIG_LEVEL_STRENGTH);
  a.powerMeter = caps->get_level && canGet(RIG_LEVEL_RFPOWER_METER);
  a.swrMeter = caps->get_level && canGet(RIG_LEVEL_SWR);
  a.alcMeter = caps->get_level && canGet(RIG_LEVEL_ALC);

  int highestMw = 0;
  for (const freq_range_t& range : state.tx_range_list) {
    if (range.startf == 0 && range.endf == 0) break;
    highestMw = std::max(highestMw, range.high_power);
  }
  a.maxPowerW = highestMw >= 1000 ? highestMw / 1000 : 100;

  auto offset = [&](shortfreq_t max, bool settable) {
    return !settable ? 0 : guess ? kGuessedMaxOffset : static_cast<int>(std::min<shortfreq_t>(max, 99999));
  };
  a.maxRit = offset(state.max_rit, caps->set_rit != nullptr);
  a.maxXit = offset(state.max_xit, caps->set_xit != nullptr);
  a.ritFunc = !guess && caps->set_func && rig_has_set_func(m_rig, RIG_FUNC_RIT);
  a.xitFunc = !guess && caps->set_func && rig_has_set_func(m_rig, RIG_FUNC_XIT);
  a.split = caps->set_split_vfo != nullptr;

  // VFO B: selected with set_vfo, or reached directly where the model
  // targets a VFO without switching to it. rigctld does that only in its
  // VFO mode: otherwise it applies every call to the current VFO.
  const bool hasB = (state.vfo_list & RIG_VFO_B) != 0;
  a.vfoBTargetable = hasB && (caps->targetable_vfo & RIG_TARGETABLE_FREQ) &&
                     (Model(m_rig) != RIG_MODEL_NETRIGCTL || state.vfo_opt);
  a.vfoB = a.vfoBTargetable || (hasB && caps->set_vfo != nullptr);
  a.ptt = caps->get_ptt != nullptr;
  a.sendMorse = caps->send_morse != nullptr;
  a.powerOff = caps->set_powerstat != nullptr;
  m_info.abilities = std::move(a);
}

RigLink::PollResult RigLink::PollMore(RigReading& r, RigMeters& meters, bool keying, std::string* error) {
  const RigAbilities& a = m_info.abilities;
  int rc = RIG_OK;
  auto lost = [&](const char* what) {
    if (error) *error = std::string(what) + ": " + TextOf(rc);
    return PollResult::Lost;
  };
  // As in Poll: a refused value is not asked again.
  auto refused = [&](bool& ask) {
    if (rc == RIG_OK) return false;
    if (IsLinkError(rc)) return true;
    ask = false;
    return false;
  };

  if (a.split && m_askSplit && m_rig->caps->get_split_vfo) {
    split_t split = RIG_SPLIT_OFF;
    vfo_t tx = RIG_VFO_NONE;
    rc = rig_get_split_vfo(m_rig, RIG_VFO_CURR, &split, &tx);
    if (refused(m_askSplit)) return lost("split");
    if (rc == RIG_OK) r.split = split == RIG_SPLIT_ON;
  }
  if (m_stop) return PollResult::Stopped;
  if (a.vfoBTargetable && m_askOther) {
    freq_t other = 0;
    rc = rig_get_freq(m_rig, VfoOf(r.activeVfo == 'A' ? 'B' : 'A'), &other);
    if (refused(m_askOther)) return lost("the other VFO");
    if (rc == RIG_OK) r.otherVfo = static_cast<std::int64_t>(std::llround(other));
  }
  if (m_stop) return PollResult::Stopped;
  bool transmitting = keying;
  meters.pttRead = false;
  if (a.ptt && m_askPtt) {
    ptt_t ptt = RIG_PTT_OFF;
    rc = rig_get_ptt(m_rig, RIG_VFO_CURR, &ptt);
    if (refused(m_askPtt)) return lost("PTT");
    if (rc == RIG_OK) {
      transmitting = ptt != RIG_PTT_OFF;
      meters.pttRead = true;
    }
  }
  meters.transmitting = transmitting;

  // The S-meter on receive, the transmit meters while sending.
  struct Meter {
    bool wanted;
    bool* ask;
    setting_t level;
    const char* what;
  } const list[] = {
      {!transmitting && a.sMeter, &m_askStrength, RIG_LEVEL_STRENGTH, "S-meter"},
      {transmitting && a.powerMeter, &m_askPowerMeter, RIG_LEVEL_RFPOWER_METER, "power meter"},
      {transmitting && a.swrMeter, &m_askSwr, RIG_LEVEL_SWR, "SWR meter"},
      {transmitting && a.alcMeter, &m_askAlc, RIG_LEVEL_ALC, "ALC meter"},
  };
  for (const Meter& m : list) {
    if (m_stop) return PollResult::Stopped;
    if (!m.wanted || !*m.ask) continue;
    value_t v{};
    rc = rig_get_level(m_rig, RIG_VFO_CURR, m.level, &v);
    if (refused(*m.ask)) return lost(m.what);
    if (rc != RIG_OK) continue;
    switch (m.level) {
      case RIG_LEVEL_STRENGTH: meters.strengthDb = v.i; break;
      case RIG_LEVEL_RFPOWER_METER: meters.powerMeter = std::clamp<double>(v.f, 0, 1); break;
      case RIG_LEVEL_SWR: meters.swr = std::isfinite(v.f) ? std::max<double>(v.f, 1.0) : 99.0; break;
      default: meters.alc = std::clamp<double>(v.f, 0, 1); break;
    }
  }
  return PollResult::Ok;
}

// Watts through Hamlib's table of the model's power for the band and
// mode; without one, the share of the most power.
double RigLink::PowerFraction(const RigAction& action) {
  const int watts = std::clamp(action.value, 0, m_info.abilities.maxPowerW);
  float fraction = 0;
  if (action.atHz > 0 &&
      rig_mW2power(m_rig, &fraction, static_cast<unsigned int>(watts) * 1000u, static_cast<freq_t>(action.atHz),
                   static_cast<rmode_t>(action.atMode)) == RIG_OK &&
      std::isfinite(fraction))
    return std::clamp<double>(fraction, 0, 1);
  return static_cast<double>(watts) / m_info.abilities.maxPowerW;
}

int RigLink::Perform(const RigAction& action, std::string* error) {
  if (!m_open) {
    if (error) *error = "the radio is not connected";
    return -RIG_EIO;
  }
  const RigAbilities& a = m_info.abilities;
  HamlibCall call;
  int rc = -RIG_ENAVAIL;
  const char* what = "";
  switch (action.kind) {
    case RigAction::Kind::Frequency: {
      what = "frequency";
      const auto hz = static_cast<freq_t>(action.hz);
      if (action.vfo == action.activeVfo) {
        rc = rig_set_freq(m_rig, RIG_VFO_CURR, hz);
      } else if (a.vfoBTargetable) {
        rc = rig_set_freq(m_rig, VfoOf(action.vfo), hz);
      } else if (a.vfoB) {
        // Over to the other VFO and back, as an operator would.
        rc = rig_set_vfo(m_rig, VfoOf(action.vfo));
        if (rc == RIG_OK) {
          rc = rig_set_freq(m_rig, RIG_VFO_CURR, hz);
          const int back = rig_set_vfo(m_rig, VfoOf(action.activeVfo));
          if (rc == RIG_OK) rc = back;
        }
      }
      break;
    }
    case RigAction::Kind::Vfo:
      what = "VFO";
      if (a.vfoB) rc = rig_set_vfo(m_rig, VfoOf(action.vfo));
      break;
    case RigAction::Kind::Mode: {
      what = "mode";
      const auto mode = static_cast<rmode_t>(action.mode);
      if (std::find(a.modeBits.begin(), a.modeBits.end(), action.mode) != a.modeBits.end())
        rc = rig_set_mode(m_rig, RIG_VFO_CURR, mode, rig_passband_normal(m_rig, mode));
      break;
    }
    case RigAction::Kind::Power:
      what = "power";
      if (a.setPower) {
        value_t v{};
        v.f = static_cast<float>(PowerFraction(action));
        rc = rig_set_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_RFPOWER, v);
      }
      break;
    case RigAction::Kind::KeyerSpeed:
      what = "keyer speed";
      if (a.setKeyerSpeed) {
        value_t v{};
        v.i = std::clamp(action.value, 1, 99);
        rc = rig_set_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_KEYSPD, v);
      }
      break;
    case RigAction::Kind::Rit:
    case RigAction::Kind::Xit: {
      const bool rit = action.kind == RigAction::Kind::Rit;
      what = rit ? "RIT" : "XIT";
      const int max = rit ? a.maxRit : a.maxXit;
      if (max == 0) break;
      const auto offset = static_cast<shortfreq_t>(std::clamp<std::int64_t>(action.hz, -max, max));
      auto set = rit ? rig_set_rit : rig_set_xit;
      // Without an on/off function the offset is the switch: 0 is off.
      if (rit ? a.ritFunc : a.xitFunc) {
        rc = set(m_rig, RIG_VFO_CURR, offset);
        if (rc == RIG_OK) rc = rig_set_func(m_rig, RIG_VFO_CURR, rit ? RIG_FUNC_RIT : RIG_FUNC_XIT, action.on ? 1 : 0);
      } else {
        rc = set(m_rig, RIG_VFO_CURR, action.on ? offset : 0);
      }
      break;
    }
    case RigAction::Kind::Split:
      what = "split";
      if (a.split)
        rc = rig_set_split_vfo(m_rig, RIG_VFO_CURR, action.on ? RIG_SPLIT_ON : RIG_SPLIT_OFF,
                               VfoOf(action.activeVfo == 'A' ? 'B' : 'A'));
      break;
  }
  if (rc != RIG_OK && error) *error = std::string(what) + ": " + TextOf(rc);
  return rc;
}

}  // namespace hamlibradio
