#pragma once
// The character encoding the C library and the X library convert text with.

namespace platform {

// Makes the locale's character type UTF-8 when the environment names another encoding or no
// locale at all. Qt hands window titles over as UTF-8 whatever the locale, and on X11 the X
// library converts them for the older WM_NAME property by the locale's encoding: with no
// locale an accented title such as "Orvane déjà lancé" arrives there as mangled Latin-1. The
// language, number and date rules of the environment are left as they are. Call it once the
// application object exists, since its constructor applies the environment's locale again.
void EnsureUtf8CharacterType();

} // namespace platform
