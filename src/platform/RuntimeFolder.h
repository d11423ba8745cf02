#pragma once
// The user's private runtime folder: where the one-instance lock lies (and
// whatever else one instance leaves for the next), a folder no other user can
// write to or plant anything in.
//
// It is the folder XDG_RUNTIME_DIR names. When that is unset it is
// TMP/runtime-<uid> (as Qt would fall back to), made with mkdir and used only
// when it then is a folder, not a link, owned by the user and private (mode
// 0700); anything else found under that name - a planted link, another
// user's folder, a folder others may enter - is left alone, and a fresh
// private folder is made instead and named on stderr. Nothing is ever
// chmod-ed by path. The folder chosen is put into XDG_RUNTIME_DIR, so Qt and
// later calls use the same one. On Windows the user's own temporary folder.

#include <string>

// The folder's path; "" when no private folder could be made.
std::string UserRuntimeFolder();
