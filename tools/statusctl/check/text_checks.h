// The checks that follow the monitor's own look-ups: each status entry as the
// monitor finds it, and its message text and the caption in every language.
#pragma once

#include <vector>

#include "tools/statusctl/check/context.h"

// Message codes without a text and languages without a caption, for each of
// languages; a language without any section of its own is one finding.
void CheckTexts(const CheckContext& context, const ProfileOutline& outline, const std::vector<int>& languages,
                std::vector<Finding>* findings);
