// The one record of options, remembered window state and remembered dialog choices, with the
// name of each field's registry value next to it. VisitFields walks the fields in their stored
// order so that loading and storing share one list and can never drift apart.
#pragma once

#include <string>

struct SettingsRecord {
    static constexpr const wchar_t* kDirectory = L"Directory";
    std::wstring Directory; // the folder shown last; the caller presets the program's folder

    static constexpr const wchar_t* kShowState = L"ShowState";
    bool ShowState = true;
    static constexpr const wchar_t* kShowDir = L"ShowDir";
    bool ShowDir = true;
    static constexpr const wchar_t* kShowAdr = L"ShowAdr";
    bool ShowAdr = true;
    static constexpr const wchar_t* kShowGrid = L"ShowGrid";
    bool ShowGrid = true;
    static constexpr const wchar_t* kShowInfo = L"ShowInfo";
    bool ShowInfo = true; // kept only so that it survives a run
    static constexpr const wchar_t* kShowCaptions = L"ShowCaptions";
    bool ShowCaptions = true;
    static constexpr const wchar_t* kSaveColumn = L"SaveColumn";
    bool SaveColumn = true;
    static constexpr const wchar_t* kKOctet = L"KOctet";
    bool KOctet = false;
    static constexpr const wchar_t* kNameMaj = L"NameMaj";
    bool NameMaj = true;
    static constexpr const wchar_t* kSizeKo = L"SizeKo";
    bool SizeKo = false;
    static constexpr const wchar_t* kTimeZero = L"TimeZero";
    bool TimeZero = true;
    static constexpr const wchar_t* kFullYear = L"FullYear";
    bool FullYear = true;
    static constexpr const wchar_t* kSaveDate = L"SaveDate";
    bool SaveDate = true;
    static constexpr const wchar_t* kDate = L"Date";
    std::wstring Date; // in the user's short date format
    static constexpr const wchar_t* kTime = L"Time";
    std::wstring Time; // in the user's long time format
    static constexpr const wchar_t* kCreation = L"Creation";
    bool Creation = true;
    static constexpr const wchar_t* kLastWrite = L"LastWrite";
    bool LastWrite = true;
    static constexpr const wchar_t* kLastAccess = L"LastAccess";
    bool LastAccess = true;
    // The shift dialog's last span, in seconds, negative towards the past, and its stamps.
    static constexpr const wchar_t* kShift = L"Shift";
    int Shift = 3600;
    static constexpr const wchar_t* kShiftMask = L"ShiftMask";
    int ShiftMask = 7;
    // An operation with no file selected reaches into the subfolders too.
    static constexpr const wchar_t* kSubFolders = L"SubFolders";
    bool SubFolders = false;
    // A date operation also dates the folders it reaches and the folder shown.
    static constexpr const wchar_t* kFolders = L"Folders";
    bool Folders = false;
    static constexpr const wchar_t* kPanelWidth = L"PanelWidth";
    int PanelWidth = 300;
    static constexpr const wchar_t* kDirTreeWidth = L"DirTreeWidth";
    int DirTreeWidth = 320;
    static constexpr const wchar_t* kFirstZero = L"FirstZero";
    bool FirstZero = true;
    static constexpr const wchar_t* kFirstMin = L"FirstMin";
    bool FirstMin = true;
    static constexpr const wchar_t* kFirstMaj = L"FirstMaj";
    bool FirstMaj = true;
    static constexpr const wchar_t* kFirstMajMin = L"FirstMajMin";
    bool FirstMajMin = true;

    // The file-name date dialog's own pattern (empty: the known forms) and its stamps.
    static constexpr const wchar_t* kNamePattern = L"NamePattern";
    std::wstring NamePattern;
    static constexpr const wchar_t* kNameMask = L"NameMask";
    int NameMask = 3;

    static constexpr int kFieldCount = 31;

    // Calls visit(valueName, field) for every field, in the order they are read and written.
    // Works for a const record too.
    template <typename Record, typename Visitor> static void VisitFields(Record& r, Visitor&& visit) {
        visit(kDirectory, r.Directory);
        visit(kShowState, r.ShowState);
        visit(kShowDir, r.ShowDir);
        visit(kShowAdr, r.ShowAdr);
        visit(kShowGrid, r.ShowGrid);
        visit(kShowInfo, r.ShowInfo);
        visit(kShowCaptions, r.ShowCaptions);
        visit(kSaveColumn, r.SaveColumn);
        visit(kKOctet, r.KOctet);
        visit(kNameMaj, r.NameMaj);
        visit(kSizeKo, r.SizeKo);
        visit(kTimeZero, r.TimeZero);
        visit(kFullYear, r.FullYear);
        visit(kSaveDate, r.SaveDate);
        visit(kDate, r.Date);
        visit(kTime, r.Time);
        visit(kCreation, r.Creation);
        visit(kLastWrite, r.LastWrite);
        visit(kLastAccess, r.LastAccess);
        visit(kPanelWidth, r.PanelWidth);
        visit(kDirTreeWidth, r.DirTreeWidth);
        visit(kFirstZero, r.FirstZero);
        visit(kFirstMin, r.FirstMin);
        visit(kFirstMaj, r.FirstMaj);
        visit(kFirstMajMin, r.FirstMajMin);
        visit(kShift, r.Shift);
        visit(kShiftMask, r.ShiftMask);
        visit(kSubFolders, r.SubFolders);
        visit(kFolders, r.Folders);
        visit(kNamePattern, r.NamePattern);
        visit(kNameMask, r.NameMask);
    }

    bool operator==(const SettingsRecord&) const = default;
};
