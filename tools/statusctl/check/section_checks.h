// The checks that go through the profiles section by section and key by key.
#pragma once

#include <vector>

#include "tools/statusctl/check/context.h"

// Kinds of findings read from the sections one by one: entries that read
// differently from how they look, keys never looked up, empty and overlong
// values, settings and captions out of place, sections never read. Gathers
// the status codes and languages of the profile in outline.
void CheckSections(const CheckContext& context, ProfileOutline* outline, std::vector<Finding>* findings);
