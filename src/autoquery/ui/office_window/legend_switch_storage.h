// FormStorage1 of the office window: the state of its legend switch CheckBox1, kept per user
// between runs of the host, beside the remembered window placements
// ($XDG_CONFIG_HOME/Tarvel/placement.ini, key TAutoZaprosOfficeForm/CheckBox1.Checked).
#pragma once

namespace tarvel::autoquery {

// The remembered state; checked when nothing is remembered.
bool rememberedLegendSwitch();

void rememberLegendSwitch(bool checked);

}  // namespace tarvel::autoquery
