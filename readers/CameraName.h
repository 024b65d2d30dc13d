// The camera a photo names, as the user reads it ("Canon EOS 80D") and as other photos are matched
// against it, so that a camera's clock is put right on its own photos alone.
#pragma once

#include "readers/ExifDate.h"

#include <string>
#include <string_view>

// The maker, then the model, one space apart; the model alone when it already starts with the
// maker's name, as "Canon" and "Canon EOS 80D" do. The bytes are read as UTF-8 when they are that,
// else one byte a letter (Latin-1), as older cameras write them.
std::wstring CameraNameOf(const ExifCamera& camera);

// Whether the photo's camera is the one named `asked`, either as CameraNameOf shows it or as maker
// and model in full. Spaces around and within the names count as one, and case does not count.
bool CameraMatches(const ExifCamera& camera, std::wstring_view asked);
