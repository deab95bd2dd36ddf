#include "RigLink.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sstream>

#include "HamlibCall.h"
#include "HamlibSettings.h"
#include "LibraryFile.h"

namespace hamlibradio {
namespace {

constexpr int kDefaultNetTimeoutMs = 500;
constexpr int kMaxSerialTimeoutMs = 1000;
constexpr int kMinSerialTimeoutMs = 200;
constexpr int kDefaultSerialRetry = 1;
constexpr int kQuickCloseTimeoutMs = 100;

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}



// Every mode's name, kept from the first Init for callers that must not
// wait for Hamlib.
struct ModeTable {
  std::mutex mutex;
  std::vector<std::string> names;
  std::vector<std::uint64_t> bits;
};

ModeTable& Modes() {
  static ModeTable table;
  return table;
}

// Hamlib's list of models, taken once by the first worker (which holds
// Hamlib anyway) so that the settings dialog need not wait for Hamlib.
struct ModelTable {
  std::mutex mutex;
  std::vector<ModelEntry> list;
};

ModelTable& Models() {
  static ModelTable table;
  return table;
}

int ListOne(const rig_caps* caps, rig_ptr_t data) {
  auto* list = static_cast<std::vector<ModelEntry>*>(data);
  list->push_back({static_cast<int>(caps->rig_model), caps->mfg_name ? caps->mfg_name : "",
                   caps->model_name ? caps->model_name : ""});
  return 1;
}

// With Hamlib held.
void FillModels() {
  {
    std::lock_guard table(Models().mutex);
    if (!Models().list.empty()) return;
  }
  std::vector<ModelEntry> models;
  rig_load_all_backends();
  rig_list_foreach(ListOne, &models);
  std::sort(models.begin(), models.end(), [](const ModelEntry& a, const ModelEntry& b) {
    return a.maker != b.maker ? a.maker < b.maker : a.model < b.model;
  });
  std::lock_guard table(Models().mutex);
  Models().list = std::move(models);
}

}  // namespace

RigLink::~RigLink() {
  Close(true);
  if (m_rig) {
    HamlibCall call;
    rig_cleanup(m_rig);
    m_rig = nullptr;
  }
}

bool RigLink::SetConf(const char* token, const std::string& value) {
  token_t t = rig_token_lookup(m_rig, token);
  return t != RIG_CONF_END && rig_set_conf(m_rig, t, value.c_str()) == RIG_OK;
}

bool RigLink::Init(const LinkOptions& options, std::string* error) {
  HamlibCall call;
  m_rig = rig_init(static_cast<rig_model_t>(options.model));
  if (!m_rig) {
    if (error) *error = "Hamlib has no radio model " + std::to_string(options.model) + " (see rigctl -l)";
    return false;
  }
  {
    std::lock_guard table(Modes().mutex);
    if (Modes().names.empty()) AllModes(Modes().names, Modes().bits, 0);
  }
  FillModels();
  const rig_caps* caps = m_rig->caps;
  m_info.name = std::string(caps->mfg_name ? caps->mfg_name : "") + " " +
                (caps->model_name ? caps->model_name : "");
  m_info.serial = caps->port_type == RIG_PORT_SERIAL;
  m_info.network = caps->port_type == RIG_PORT_NETWORK || options.model == kNetModel;
  // rigctld tells its modes and RIT range only when opened; until then
  // every mode Hamlib names stands for them, so the list never changes
  // under the program's feet.
  AllModes(m_info.modeNames, m_info.modeBits, m_info.network ? 0 : m_rig->state.mode_list);
  if (m_info.modeNames.empty()) AllModes(m_info.modeNames, m_info.modeBits, 0);
  m_info.rit = caps->get_rit != nullptr && (m_info.network || caps->max_rit > 0);
  m_info.xit = caps->get_xit != nullptr && (m_info.network || caps->max_xit > 0);
  m_info.sendMorse = caps->send_morse != nullptr;
  m_info.stopMorse = caps->stop_morse != nullptr;
  m_info.powerOff = caps->set_powerstat != nullptr;

  if (options.timeoutMs > 0) {
    m_info.timeoutMs = options.timeoutMs;
  } else if (m_info.network) {
    m_info.timeoutMs = kDefaultNetTimeoutMs;
  } else {
    m_info.timeoutMs = std::clamp(caps->timeout > 0 ? caps->timeout : kMaxSerialTimeoutMs,
                                  kMinSerialTimeoutMs, kMaxSerialTimeoutMs);
  }
  m_info.retry = options.retry >= 0 ? options.retry
                 : m_info.network   ? 0
                                    : std::min(caps->retry, kDefaultSerialRetry);

  SetConf("rig_pathname", options.path);
  SetConf("timeout", std::to_string(m_info.timeoutMs));
  SetConf("retry", std::to_string(m_info.retry));
  if (m_info.serial) {
    if (!options.baud.empty()) SetConf("serial_speed", options.baud);
    if (options.setLines) {
      // With hardware handshake RTS belongs to the port, and Hamlib refuses
      // to open a port told to hold it.
      if (caps->serial_handshake != RIG_HANDSHAKE_HARDWARE) SetConf("rts_state", options.rtsOn ? "ON" : "OFF");
      SetConf("dtr_state", options.dtrOn ? "ON" : "OFF");
    }
  }
  rig_set_cache_timeout_ms(m_rig, HAMLIB_CACHE_ALL, 0);
  LearnAbilities();
  return true;
}

bool RigLink::Open(std::string* error) {
  if (!m_rig) return false;
  HamlibCall call;
  int rc = rig_open(m_rig);
  if (rc != RIG_OK) {
    if (error) *error = "could not open: " + TextOf(rc);
    return false;
  }
  // A dead link answers from the cache for half a second unless it is off.
  rig_set_cache_timeout_ms(m_rig, HAMLIB_CACHE_ALL, 0);
  freq_t frequency = 0;
  rc = rig_get_freq(m_rig, RIG_VFO_CURR, &frequency);
  if (rc != RIG_OK) {
    rig_close(m_rig);
    if (error) *error = "no answer: " + TextOf(rc);
    return false;
  }
  m_open = true;
  m_askPower = m_askSpeed = m_askRit = m_askXit = m_askRitOn = m_askXitOn = m_askMode = true;
  m_askSplit = m_askOther = m_askPtt = m_askStrength = m_askPowerMeter = m_askSwr = m_askAlc = true;
  LearnAbilities();
  return true;
}

RigLink::PollResult RigLink::Poll(RigReading& r, RigMeters& meters, bool keying, std::string* error) {
  if (!m_open) return PollResult::Lost;
  auto lost = [&](const char* what, int rc) {
    if (error) *error = std::string(what) + ": " + TextOf(rc);
    return PollResult::Lost;
  };
  // A value the radio refuses is not asked again; one it does not answer
  // ends the poll.
  auto refused = [&](int rc, bool& ask) {
    if (rc == RIG_OK) return false;
    if (IsLinkError(rc)) return true;
    ask = false;
    return false;
  };
  HamlibCall call;
  freq_t frequency = 0;
  int rc = rig_get_freq(m_rig, RIG_VFO_CURR, &frequency);
  if (rc != RIG_OK) return lost("frequency", rc);
  r.frequency = static_cast<std::int64_t>(std::llround(frequency));

  if (m_stop) return PollResult::Stopped;
  if (m_askMode) {
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    rc = rig_get_mode(m_rig, RIG_VFO_CURR, &mode, &width);
    if (refused(rc, m_askMode)) return lost("mode", rc);
    if (rc == RIG_OK) r.mode = mode;
  }
  if (m_stop) return PollResult::Stopped;
  if (m_askPower && rig_has_get_level(m_rig, RIG_LEVEL_RFPOWER)) {
    value_t v{};
    rc = rig_get_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_RFPOWER, &v);
    if (refused(rc, m_askPower)) return lost("power", rc);
    if (rc == RIG_OK) {
      // Watts where Hamlib knows the model's power for the band, else the
      // share of the most power (per cent when that is unknown).
      unsigned int mw = 0;
      if (rig_power2mW(m_rig, &mw, v.f, frequency, static_cast<rmode_t>(r.mode)) == RIG_OK && mw > 0) {
        r.power = static_cast<int>((mw + 500) / 1000);
      } else {
        r.power = static_cast<int>(std::lround(v.f * static_cast<float>(m_info.abilities.maxPowerW)));
      }
    }
  }
  if (m_stop) return PollResult::Stopped;
  if (m_askSpeed && rig_has_get_level(m_rig, RIG_LEVEL_KEYSPD)) {
    value_t v{};
    rc = rig_get_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_KEYSPD, &v);
    if (refused(rc, m_askSpeed)) return lost("keyer speed", rc);
    if (rc == RIG_OK) r.keyerSpeed = v.i;
  }
  struct Offset {
    bool* ask;
    bool* askOn;
    bool supported;
    setting_t func;
    int* offset;
    bool* on;
    int (*get)(RIG*, vfo_t, shortfreq_t*);
    const char* what;
  } offsets[] = {
      {&m_askRit, &m_askRitOn, m_info.rit && m_rig->state.max_rit > 0, RIG_FUNC_RIT, &r.ritOffset, &r.ritOn,
       rig_get_rit, "RIT"},
      {&m_askXit, &m_askXitOn, m_info.xit && m_rig->state.max_xit > 0, RIG_FUNC_XIT, &r.xitOffset, &r.xitOn,
       rig_get_xit, "XIT"},
  };
  for (Offset& o : offsets) {
    if (m_stop) return PollResult::Stopped;
    if (!o.supported || !*o.ask) continue;
    shortfreq_t offset = 0;
    rc = o.get(m_rig, RIG_VFO_CURR, &offset);
    if (refused(rc, *o.ask)) return lost(o.what, rc);
    if (rc != RIG_OK) continue;
    *o.offset = static_cast<int>(offset);
    *o.on = offset != 0;
    if (*o.askOn && rig_has_get_func(m_rig, o.func)) {
      int status = 0;
      rc = rig_get_func(m_rig, RIG_VFO_CURR, o.func, &status);
      if (refused(rc, *o.askOn)) return lost(o.what, rc);
      if (rc == RIG_OK) *o.on = status != 0;
    }
  }
  return PollMore(r, meters, keying, error);
}

int RigLink::SendMorse(const std::string& text) {
  if (!m_open) return -RIG_EIO;
  if (!m_info.sendMorse) return -RIG_ENAVAIL;
  HamlibCall call;
  return rig_send_morse(m_rig, RIG_VFO_CURR, text.c_str());
}

int RigLink::StopMorse() {
  if (!m_open) return -RIG_EIO;
  if (!m_info.stopMorse) return -RIG_ENAVAIL;
  HamlibCall call;
  return rig_stop_morse(m_rig, RIG_VFO_CURR);
}

int RigLink::PowerOff() {
  if (!m_open) return -RIG_EIO;
  if (!m_info.powerOff) return -RIG_ENAVAIL;
  HamlibCall call;
  return rig_set_powerstat(m_rig, RIG_POWER_OFF);
}

int RigLink::RunCommand(const std::string& command, std::string* error) {
  if (!m_open) {
    if (error) *error = "the radio is not connected";
    return -RIG_EIO;
  }
  std::istringstream in(command);
  std::string verb, a, b;
  in >> verb >> a >> b;
  verb = Upper(verb);
  auto bad = [&](const std::string& why) {
    if (error) *error = why + " in \"" + command + "\"";
    return -RIG_EINVAL;
  };
  HamlibCall call;
  int rc = -RIG_EINVAL;
  if (verb == "FREQ" && !a.empty()) {
    rc = rig_set_freq(m_rig, RIG_VFO_CURR, std::atof(a.c_str()));
  } else if (verb == "MODE" && !a.empty()) {
    rmode_t mode = rig_parse_mode(Upper(a).c_str());
    if (mode == RIG_MODE_NONE) return bad("unknown mode");
    rc = rig_set_mode(m_rig, RIG_VFO_CURR, mode, b.empty() ? RIG_PASSBAND_NOCHANGE : std::atol(b.c_str()));
  } else if ((verb == "RIT" || verb == "XIT") && !a.empty()) {
    auto offset = static_cast<shortfreq_t>(std::atol(a.c_str()));
    rc = verb == "RIT" ? rig_set_rit(m_rig, RIG_VFO_CURR, offset) : rig_set_xit(m_rig, RIG_VFO_CURR, offset);
  } else if (verb == "SPEED" && !a.empty()) {
    value_t v{};
    v.i = std::atoi(a.c_str());
    rc = rig_set_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_KEYSPD, v);
  } else if (verb == "POWER" && !a.empty()) {
    value_t v{};
    v.f = std::clamp(static_cast<float>(std::atof(a.c_str())) / 100.0f, 0.0f, 1.0f);
    rc = rig_set_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_RFPOWER, v);
  } else if (verb == "LEVEL" && !a.empty() && !b.empty()) {
    setting_t level = rig_parse_level(Upper(a).c_str());
    if (level == RIG_LEVEL_NONE) return bad("unknown level");
    value_t v{};
    if (RIG_LEVEL_IS_FLOAT(level)) v.f = static_cast<float>(std::atof(b.c_str()));
    else v.i = std::atoi(b.c_str());
    rc = rig_set_level(m_rig, RIG_VFO_CURR, level, v);
  } else if (verb == "FUNC" && !a.empty() && !b.empty()) {
    setting_t func = rig_parse_func(Upper(a).c_str());
    if (func == RIG_FUNC_NONE) return bad("unknown function");
    rc = rig_set_func(m_rig, RIG_VFO_CURR, func, std::atoi(b.c_str()) != 0);
  } else if (verb == "VFO" && !a.empty()) {
    vfo_t vfo = rig_parse_vfo(a.c_str());
    if (vfo == RIG_VFO_NONE) return bad("unknown VFO");
    rc = rig_set_vfo(m_rig, vfo);
  } else if (verb == "MORSE") {
    std::string text = command.substr(std::min(command.size(), command.find_first_not_of(" \t", 5)));
    if (!m_info.sendMorse) return bad("no keyer");
    rc = rig_send_morse(m_rig, RIG_VFO_CURR, text.c_str());
  } else {
    return bad("unknown command");
  }
  if (rc != RIG_OK && error) *error = TextOf(rc) + " in \"" + command + "\"";
  return rc;
}

void RigLink::Close(bool quick) {
  if (!m_open) return;
  HamlibCall call;
  if (quick) SetConf("timeout", std::to_string(kQuickCloseTimeoutMs));
  rig_close(m_rig);
  m_open = false;
}

bool RigLink::IsLinkError(int code) {
  switch (-code) {
    case RIG_OK:
    case RIG_EINVAL:
    case RIG_ENIMPL:
    case RIG_ENAVAIL:
    case RIG_ERJCTED:
    case RIG_ETRUNC:
    case RIG_EVFO:
    case RIG_EDOM:
    case RIG_EDEPRECATED:
      return false;
    default:
      return true;
  }
}

std::string RigLink::ErrorText(int code) {
  HamlibCall call;
  return TextOf(code);
}


void KnownModes(std::vector<std::string>& names, std::vector<std::uint64_t>& bits) {
  std::lock_guard table(Modes().mutex);
  names = Modes().names;
  bits = Modes().bits;
}

std::vector<ModelEntry> ListModels() {
  {
    std::lock_guard table(Models().mutex);
    if (!Models().list.empty()) return Models().list;
  }
  HamlibCall call;
  FillModels();
  std::lock_guard table(Models().mutex);
  return Models().list;
}

}  // namespace hamlibradio
