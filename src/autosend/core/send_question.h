// The question put to the operator before an automatic send when asking is switched on.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel::autosend {

// The question box's title (Windows-1251).
std::string sendQuestionTitle();

// The question's lines for the transport of ViaSend, joined by a lone carriage return; the
// modem adds a reminder that the office must allow the connection.
std::string sendQuestionText(int32_t viaSend);

}  // namespace tarvel::autosend
