#pragma once
// What serial I/O logging keeps between runs: the logging port's five
// settings texts and the two format flags (restart keys SIOLOG_COM_PORT,
// SIOLOG_BAUD_RATE, SIOLOG_STOP_BITS, SIOLOG_DATA_BITS, SIOLOG_PARITY,
// WANTS_SIOLOG_ADIF, WANTS_SIOLOG_ARRL).

#include "serial/TSerialTexts.h"

struct TRestartSettings;

struct TSioLogSettings {
  TSerialTexts texts;
  bool wantsAdif = false;
  bool wantsArrl = false;
};

/// The serial I/O logging part of the restart file's options.
TSioLogSettings SioLogSettingsOf(const TRestartSettings& options);
/// Writes it back into the options.
void StoreSioLogSettings(const TSioLogSettings& settings, TRestartSettings& options);
