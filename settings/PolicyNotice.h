// The notice texts that a security policy sets. Since Group Policy they
// live beside Winlogon's own values, and the logon shows them instead.
#pragma once

namespace velmora {

// True when the policy sets a caption or a text that is not empty. Read
// only: the policy key belongs to the policy tools. A key this process may
// not read counts as no policy; the dialog has nothing to report about it.
bool PolicySetsLogonNotice();

}  // namespace velmora
