#pragma once
// Serial settings as the dialogs show them and the restart file keeps them:
// five short texts, and their conversion to port settings.

#include <cstdint>

#include "data/FixedText.h"

struct TSerialTexts {
  FixedText<6> port;
  FixedText<10> baud;
  FixedText<3> stopBits;
  FixedText<1> dataBits;
  FixedText<4> parity;
};

/// Port settings in the port's encodings (platform/SerialDevice.h).
struct TSerialSettings {
  std::uint32_t baudRate = 0;
  std::uint8_t dataBits = 0;
  std::uint8_t stopBits = 0;
  std::uint8_t parity = 0;
};

/// Baud rate and data bits from their leading digits (0 without any);
/// stop bits "1.5" one and a half, "2" two, anything else one; parity, in
/// any case, "MARK", "NONE", "ODD", "SPACE", and even for anything else.
TSerialSettings ConvertSerialTexts(const TSerialTexts& texts);
std::uint8_t StopBitsCode(std::string_view text);
std::uint8_t ParityCode(std::string_view text);
