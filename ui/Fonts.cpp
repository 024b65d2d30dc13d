// Font creation for the toolkit.
#include "ui/Fonts.h"

#include <algorithm>

GdiObject MakeFont(const std::wstring& face, int height, bool bold, bool underline) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const size_t length = std::min(face.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::copy_n(face.begin(), length, lf.lfFaceName);
    return GdiObject(::CreateFontIndirectW(&lf));
}

std::wstring FontFaceName(HFONT font) {
    if (!font)
        return {};
    LOGFONTW lf{};
    if (::GetObjectW(font, sizeof(lf), &lf) == 0)
        return {};
    return lf.lfFaceName;
}
