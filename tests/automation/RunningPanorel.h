// Panorel running in the state a user usually meets it: agreement accepted,
// start-up done, the main dialog hidden. Also the other program that holds
// a hotkey, and the system's text for an error, which Panorel's messages
// show.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "tests/automation/Panorel.h"

namespace automation {

// "Setup" values written before the program starts.
using SetupValues = std::initializer_list<std::pair<const char*, const char*>>;

// The main dialog of a started Panorel once start-up has hidden it; null
// when none came.
HWND WaitForStartedDialog(const Process& process);
// One switch, done when this returns: the hotkey message as the system would
// post it, sent so that the caller waits for the switch to end.
void SwitchOnce(HWND dialog);
// Brings the hidden dialog of a running instance back the way a user does,
// by starting the program again; true once it is visible and in front.
bool ShowBySecondStart(const PanorelInstance& running, HWND dialog);

class RunningPanorel {
 public:
  explicit RunningPanorel(SetupValues setup = {}, const std::string& exeName = "Panorel.exe");
  ~RunningPanorel();
  RunningPanorel(const RunningPanorel&) = delete;
  RunningPanorel& operator=(const RunningPanorel&) = delete;

  HWND Dialog() const { return m_dialog; }
  PanorelInstance& Instance() { return m_panorel; }
  Process& process() { return m_panorel.process(); }
  void Switch() { SwitchOnce(m_dialog); }
  // Brings the hidden dialog back the way a user does, by starting the
  // program again; true once it is visible and in front.
  bool ShowBySecondStart();

 private:
  PanorelInstance m_panorel;
  HWND m_dialog = nullptr;
};

// The hotkey as another program holds it, for as long as the object lives.
class HeldHotKey {
 public:
  HeldHotKey(UINT modifiers, UINT key);
  ~HeldHotKey();
  HeldHotKey(const HeldHotKey&) = delete;
  HeldHotKey& operator=(const HeldHotKey&) = delete;
  bool IsHeld() const { return m_held; }

 private:
  bool m_held;
};

// Whether some program, Panorel for instance, holds this combination now.
bool IsHotKeyTaken(UINT modifiers, UINT key);

// The system's text for error as a caption shows it: without the line
// break the system ends it with.
std::string SystemErrorText(DWORD error);

}  // namespace automation
