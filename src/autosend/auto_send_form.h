// TAutoSendForm: the station's auto-send settings dialog, which also owns the scheduler that
// sends the shift reports when their moment has come.
#pragma once

#include <QDialog>
#include <functional>

#include "settings/inet_settings.h"
#include "tarvel/contract.h"

namespace tarvel::autosend {

// What the scheduler needs from outside the dialog.
struct AutoSendLinks {
  // The host's answer to Command(25, 0): the station's current shift number.
  std::function<HostVariant()> askShiftNumber;
  // Calls the send entry of the transport for ViaSend 1, 2 or 3 when it is bound; returns when
  // the transport has finished.
  std::function<void(int32_t viaSend)> callTransport;
};

class TAutoSendForm;  // defined by the auto-send dialog

}  // namespace tarvel::autosend
