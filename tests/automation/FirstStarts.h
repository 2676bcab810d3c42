// A new user's first two starts of a program that has no settings yet: the
// first accepts the agreement and chooses another key in the form, the
// second only looks. Whether the agreement is asked once and the choice
// survives depends on the settings file being kept, wherever it lives.
#pragma once

#include <string>

#include "tests/automation/Panorel.h"

namespace automation {

// The key the first start chooses, F5, as the key list shows it.
constexpr char kKeyChosenAtFirstStart[] = "F5";

struct TwoStarts {
  // How many of the two starts asked for the agreement first.
  int agreementsAsked = 0;
  // The key list's selection at the second start ("" when its main dialog
  // never came).
  std::string keyAtSecondStart;
};

// Makes the two starts and records what they showed; the test asserts. Each
// start is ended before this returns, by exit or by refusing the agreement.
TwoStarts StartTwiceChoosingAKey(PanorelInstance& panorel);

}  // namespace automation
