#include "serial/TSioLogSettings.h"

#include "data/TRestartFile.h"

TSioLogSettings SioLogSettingsOf(const TRestartSettings& options) {
  TSioLogSettings s;
  s.texts.port = options.sioLogComPort.view();
  s.texts.baud = options.sioLogBaud.view();
  s.texts.stopBits = options.sioLogStopBits.view();
  s.texts.dataBits = options.sioLogDataBits.view();
  s.texts.parity = options.sioLogParity.view();
  s.wantsAdif = options.sioLogAdif;
  s.wantsArrl = options.sioLogArrl;
  return s;
}

void StoreSioLogSettings(const TSioLogSettings& settings, TRestartSettings& options) {
  options.sioLogComPort = settings.texts.port.view();
  options.sioLogBaud = settings.texts.baud.view();
  options.sioLogStopBits = settings.texts.stopBits.view();
  options.sioLogDataBits = settings.texts.dataBits.view();
  options.sioLogParity = settings.texts.parity.view();
  options.sioLogAdif = settings.wantsAdif;
  options.sioLogArrl = settings.wantsArrl;
}
