// Scenario files for "statusctl play": one statusctl command per line.
//
//   # a comment; blank lines are skipped
//   post 1 2        post status codes
//   10 20           a line of bare codes posts them too
//   sleep 1500      wait, in milliseconds
//   set-language 2  change the driver's language number
//   set-bidi 0      switch the monitor off (1: on)
//   quit | stop     end the monitor
//
// Text after '#' on a line is a comment.
#pragma once

#include <string>
#include <vector>

#include "tools/statusctl/arguments.h"

// Reads the whole scenario before anything is played, so that a mistake on
// line 20 does not leave the first 19 lines half played. error names the
// file and line: "demo.scenario:20: unknown command: slep".
bool ParseScenario(const std::string& text, const std::string& fileName, std::vector<Command>* commands,
                   std::string* error);
bool ReadScenarioFile(const std::string& fileName, std::vector<Command>* commands, std::string* error);
