// Camera names shown and compared.
#include "readers/CameraName.h"

#include "base/Utf8Text.h"

namespace {

std::wstring WideOf(const std::string& bytes) {
    if (std::optional<std::wstring> text = WideFromUtf8(bytes))
        return *text;
    std::wstring latin1;
    for (const char c : bytes)
        latin1 += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return latin1;
}

// The letters A to Z and those of Latin-1 with a lower-case form, in lower case: the letters camera
// names are written in.
wchar_t Folded(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<wchar_t>(c + 0x20);
    return c;
}

// Trimmed, every run of spaces one space, in lower case.
std::wstring Key(std::wstring_view name) {
    std::wstring key;
    bool space = false;
    for (const wchar_t c : name) {
        if (c == L' ') {
            space = !key.empty();
            continue;
        }
        if (space)
            key += L' ';
        space = false;
        key += Folded(c);
    }
    return key;
}

} // namespace

std::wstring CameraNameOf(const ExifCamera& camera) {
    const std::wstring make = WideOf(camera.Make);
    const std::wstring model = WideOf(camera.Model);
    const std::wstring makeKey = Key(make);
    const std::wstring modelKey = Key(model);
    if (make.empty() || (modelKey.starts_with(makeKey) &&
                         (modelKey.size() == makeKey.size() || modelKey[makeKey.size()] == L' ')))
        return model;
    if (model.empty())
        return make;
    return make + L" " + model;
}

bool CameraMatches(const ExifCamera& camera, std::wstring_view asked) {
    const std::wstring key = Key(asked);
    return !key.empty() && (key == Key(CameraNameOf(camera)) ||
                            key == Key(WideOf(camera.Make) + L" " + WideOf(camera.Model)));
}
