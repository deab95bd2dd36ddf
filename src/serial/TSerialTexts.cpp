#include "serial/TSerialTexts.h"

#include "data/TextUtils.h"
#include "platform/SerialDevice.h"

std::uint8_t StopBitsCode(std::string_view text) {
  if (text == "1.5") return platform::kOne5StopBits;
  if (text == "2") return platform::kTwoStopBits;
  return platform::kOneStopBit;
}

std::uint8_t ParityCode(std::string_view text) {
  if (SameText(text, "MARK")) return platform::kMarkParity;
  if (SameText(text, "NONE")) return platform::kNoParity;
  if (SameText(text, "ODD")) return platform::kOddParity;
  if (SameText(text, "SPACE")) return platform::kSpaceParity;
  return platform::kEvenParity;
}

TSerialSettings ConvertSerialTexts(const TSerialTexts& texts) {
  TSerialSettings s;
  const int baud = ReadInteger(texts.baud.view());
  const int dataBits = ReadInteger(texts.dataBits.view());
  s.baudRate = baud > 0 ? static_cast<std::uint32_t>(baud) : 0;
  s.dataBits = dataBits > 0 && dataBits < 256 ? static_cast<std::uint8_t>(dataBits) : 0;
  s.stopBits = StopBitsCode(texts.stopBits.view());
  s.parity = ParityCode(texts.parity.view());
  return s;
}
