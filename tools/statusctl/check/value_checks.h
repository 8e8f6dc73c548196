// The checks of one key in one section: what the monitor makes of its value,
// or why it never reads it there.
#pragma once

#include <string>
#include <vector>

#include "tools/statusctl/check/context.h"
#include "tools/statusctl/check/section_roles.h"

// A key of a section the monitor reads entries or texts from. The status
// codes of entry sections are noted in outline for the text checks.
void CheckValue(const CheckContext& context, const Section& section, const std::string& key,
                ProfileOutline* outline, std::vector<Finding>* findings);

// A key of a default profile section the monitor never reads: a finding for
// the keys whose place is surely mistaken (Caption, ScrollMsg, Alert).
void CheckKeyNeverRead(const CheckContext& context, const Section& section, const std::string& key,
                       std::vector<Finding>* findings);
