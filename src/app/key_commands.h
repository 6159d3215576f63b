// What a person does to the animation's keys, with the messages a refusal
// gives; the menu, the script and the timeline share them.
#pragma once

#include "scene/scene.h"

namespace puffel {

class TForm2;

// The pose the 3D view shows as a key at the loop's end; after the selected
// key (at the end with none); as the selected key's pose. Each refuses with
// a message when there is no part, no key selected (update), or a pose no
// joint can show.
void AddKeyAtEnd(Scene& scene);
void InsertKeyAfterSelected(Scene& scene);
void UpdateSelectedKey(Scene& scene);

// Deletes the selected key, or the last with none selected.
void DeleteSelectedKey(Scene& scene);

// The selected key's easing and time (see RetimeKey); a message when no key
// is selected or the time is out of order.
void SetSelectedEasing(Scene& scene, Easing easing);
void RetimeSelectedKey(Scene& scene, double seconds);
// Ends the loop at seconds; a message without keys or for a time not after
// the last key.
void ChangeLoopLength(Scene& scene, double seconds);

// Selects key k (-1 for none) and shows its pose in the 3D view, where
// posing and "キー更新" change it; a message for a key there is not.
void SelectKey(Scene& scene, TForm2& form2, int k);

// Forgets a selected key that the keys no longer have (after an undo).
void KeepSelectionInRange(Scene& scene);

}  // namespace puffel
