// The notice as an Intune settings catalog policy: JSON as the Intune admin
// center exports a policy and imports it again, and as Microsoft Graph takes
// it as the body of a POST to deviceManagement/configurationPolicies.
#pragma once

#include "base/WideText.h"

namespace velmora {

struct TFileValues;
struct TNoticeFile;

// The caption as a simple string setting, the text as a simple setting
// collection with one string a line: the CSP node
// InteractiveLogon_MessageTextForUsersAttemptingToLogOn is a list, its items
// parted by U+F000, and Graph defines its setting as a collection. An empty
// text is one empty line, so that the collection is never empty.
TWideText IntunePolicyText(const TWideText& caption, const TWideText& text);

// Whether `text` is a JSON object; then the two settings, in either form
// of the text setting, other settings passed over. Graph writes them for the
// policy location.
bool IsIntunePolicy(const TWideText& text);
void ReadIntunePolicy(const TWideText& text, TFileValues& values, TNoticeFile& result);

}  // namespace velmora
