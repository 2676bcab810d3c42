#include "tests/automation/FirstStarts.h"

#include "res/SwitcherDlgIds.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/SettingsForm.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace automation {

namespace {

constexpr int kChosenKeyNumber = 5;

// The first dialog a start shows: the agreement or, once that is accepted,
// the main dialog. Both are shown only once their titles are set (the main
// dialog for half a second).
HWND WaitForFirstDialog(const Process& process) { return WaitForTopLevel(process.Id(), "#32770", nullptr, true, 15000); }

// Refuses an agreement shown where none was expected, so the start ends.
void Refuse(Process& process, HWND agreement) {
  Click(agreement, IDCANCEL);
  process.WaitForExit();
}

}  // namespace

TwoStarts StartTwiceChoosingAKey(PanorelInstance& panorel) {
  TwoStarts seen;
  Process& first = panorel.Start();
  HWND agreement = WaitForFirstDialog(first);
  if (!agreement) return seen;
  // Told apart by the main dialog's title, which is plain ASCII: the
  // agreement's reads right only where the program's texts do.
  if (TextOf(agreement) != kMainTitle) {
    ++seen.agreementsAsked;
    Click(agreement, IDOK);
  }
  HWND dialog = WaitForStartedDialog(first);
  if (!dialog || !ShowBySecondStart(panorel, dialog)) return seen;
  ChooseKey(dialog, kChosenKeyNumber);
  if (!Apply(dialog) || !panorel.Exit()) return seen;

  Process& second = panorel.Start();
  dialog = WaitForFirstDialog(second);
  if (!dialog) return seen;
  if (TextOf(dialog) != kMainTitle) {
    ++seen.agreementsAsked;
    Refuse(second, dialog);
    return seen;
  }
  seen.keyAtSecondStart = ComboSelectionText(dialog, IDC_COMBO_KEY);
  panorel.Exit();
  return seen;
}

}  // namespace automation
