#pragma once
// The five serial settings texts in one call, for the serial tests.

#include "serial/TSerialTexts.h"

inline TSerialTexts Texts(const char* port, const char* baud, const char* stop, const char* data,
                          const char* parity) {
  TSerialTexts t;
  t.port = port;
  t.baud = baud;
  t.stopBits = stop;
  t.dataBits = data;
  t.parity = parity;
  return t;
}
