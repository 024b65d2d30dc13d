// Stored placement texts and the rules that need no platform.
#include "placement/PlacementText.h"

#include "base/FileNameParts.h"
#include "base/TextHelpers.h"

#include <cstdint>
#include <limits>

namespace {

bool IsSeparator(wchar_t c) {
    return c == L' ' || c == L',' || c == L'\t';
}

} // namespace

std::vector<std::wstring_view> PlacementWords(std::wstring_view text) {
    std::vector<std::wstring_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSeparator(text[i]))
            ++i;
        const size_t start = i;
        while (i < text.size() && !IsSeparator(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

int DecimalOrDefault(std::wstring_view word, int defaultValue) {
    return ParseDecimalInteger(word).value_or(defaultValue);
}

FourNumbers ReadFourNumbers(std::wstring_view text, const FourNumbers& defaults) {
    const auto words = PlacementWords(text);
    FourNumbers numbers = defaults;
    for (size_t i = 0; i < numbers.size() && i < words.size(); ++i)
        numbers[i] = DecimalOrDefault(words[i], defaults[i]);
    return numbers;
}

std::wstring FourNumbersText(const FourNumbers& numbers) {
    return std::to_wstring(numbers[0]) + L"," + std::to_wstring(numbers[1]) + L"," +
           std::to_wstring(numbers[2]) + L"," + std::to_wstring(numbers[3]);
}

std::wstring ResolutionSuffix(int width, int height) {
    return L"(" + std::to_wstring(width) + L"x" + std::to_wstring(height) + L")";
}

WindowState StateFromShowCmd(int showCmd, WindowState defaultState) {
    switch (showCmd) {
    case 1: // SW_SHOWNORMAL
    case 5: // SW_SHOW
    case 9: // SW_RESTORE
        return WindowState::Normal;
    case 2: // SW_SHOWMINIMIZED
    case 6: // SW_MINIMIZE
    case 7: // SW_SHOWMINNOACTIVE
        return WindowState::Minimized;
    case 3: // SW_SHOWMAXIMIZED
        return WindowState::Maximized;
    default:
        return defaultState;
    }
}

WindowState DefaultWindowState(bool isMainForm, FormStyle style, FormPosition position) {
    if (isMainForm &&
        (style == FormStyle::MdiForm || (style == FormStyle::Normal && position == FormPosition::Default)))
        return WindowState::Maximized;
    return WindowState::Normal;
}

std::wstring DerivedStoreName(bool useRegistry, const std::wstring& prefix, bool useApplicationTitle,
                              const std::wstring& applicationTitle, const std::wstring& programPath) {
    const std::wstring fileName = SplitFileName(programPath).Name;
    const size_t dot = fileName.find_last_of(L'.');
    const std::wstring baseName = dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
    if (!useRegistry)
        return baseName + L".INI";
    std::wstring name = L"Software\\";
    if (!prefix.empty())
        name += prefix + L"\\";
    name += useApplicationTitle && !applicationTitle.empty() ? applicationTitle : baseName;
    return name;
}
