// The animation menu: key poses added, deleted and cleared, the time between
// them, playing and stopping; and playback stopped by whatever else a person
// does.
#pragma once

namespace puffel {

class Playback;
class TForm1;
class TForm2;

// Gives the animation menu's entries of form1 their handlers:
// - "キーフレーム追加" adds the pose the 3D view shows as the last key (with no
//   part "まだ画像を読み込んでいません！", and a pose no joint can show
//   "このポーズはキーフレームにできません！");
// - "キーフレーム削除" deletes the last key, "キーフレーム全消去" every key;
// - the "キー間隔" entries set the time between keys;
// - "再生" and "停止" play and stop.
// Adding and removing parts keeps the keys at one joint per part
// (FitKeysToParts). Run before the history wraps the handlers.
void InstallAnimation(TForm1& form1, Playback& playback);

// Stops playback before every event of either window that can change the
// scene or the view (buttons, menu entries, presses, double clicks, wheel
// notches, dropped files, the part window's resize); a press in the part window while it
// plays only stops it, and its drag does nothing until every button is let
// go. After every event the key interval's check marks show the scene's.
// Run once, after every other handler is set.
void StopPlaybackAroundEvents(TForm1& form1, TForm2& form2, Playback& playback);

}  // namespace puffel
