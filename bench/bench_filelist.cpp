// The file list on 100,000 entries: the cost of one cell of each column, against copying the
// name into the buffer, and the sort by each of the eight keys, against std::sort of the same
// entries by the same key with a plain comparison.
#include "listing/FileCellText.h"
#include "listing/FileListing.h"
#include "base/WinLocale.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void Fill(TFileListing& listing, int count) {
    listing.Reset(L"C:\\BENCH");
    const wchar_t* types[] = {L"Document texte", L"Image JPEG", L"Application", L"Archive"};
    for (int i = 0; i < count; ++i) {
        // The listing keeps its own copy of the names.
        const std::wstring name = L"Fichier numéro " + std::to_wstring(i * 7919 % count) + L".txt";
        const std::wstring dosName = L"FICHIE~" + std::to_wstring(i % 9) + L".TXT";
        TFileObject e;
        e.Name = name;
        e.DosName = dosName;
        e.TypeName = listing.KeepTypeName(std::to_wstring(i % 4), types[i % 4]);
        e.Size = (i * 104729LL) % 5000000;
        e.Created = 40000 + (i * 37 % 9000) + (i % 43200) / 43200.0;
        e.Modified = 41000 + (i * 53 % 9000) + (i % 21600) / 43200.0;
        e.Accessed = 42000 + (i * 71 % 9000);
        e.Attributes = (i % 3 == 0) ? 0x21u : 0x20u;
        listing.Add(e);
    }
}

} // namespace

int main(int argc, char** argv) {
    // The first argument (the benchmark data folder) is not needed: the entries are made in memory.
    const int count = argc > 2 ? std::atoi(argv[2]) : 100000;
    static WinLocale locale;
    SetCurrentLocale(locale);
    TFileListing listing;
    Fill(listing, count);
    const TDisplayOptions options;
    std::wstring text;

    auto t0 = Clock::now();
    size_t sink = 0;
    for (size_t i = 0; i < listing.Count(); ++i) {
        text.assign(listing[i].Name);
        sink += text.size();
    }
    const double baseline = Seconds(Clock::now() - t0) / static_cast<double>(count);
    std::printf("baseline (copy the name): %.1f ns per cell\n", baseline * 1e9);
    for (int column = 0; column < 8; ++column) {
        t0 = Clock::now();
        for (size_t i = 0; i < listing.Count(); ++i) {
            FileCellText(listing[i], column, options, locale, text);
            sink += text.size();
        }
        const double perCell = Seconds(Clock::now() - t0) / static_cast<double>(count);
        std::printf("column %d: %.1f ns per cell, ratio %.2f\n", column, perCell * 1e9, perCell / baseline);
    }

    // The entries as the list hands them out, for the baseline's pointers.
    std::vector<TFileObject> entries;
    entries.reserve(listing.Count());
    for (size_t i = 0; i < listing.Count(); ++i)
        entries.push_back(listing[i]);

    for (int key = 1; key <= 8; ++key) {
        // The best of a few rounds of each, so that a moment's load on a shared machine does not
        // decide a ratio of two sorts of a few milliseconds; one round of the text sorts, which
        // take seconds.
        const bool text = key == 1 || key == 6 || key == 8;
        double base = 1e9;
        double ours = 1e9;
        for (int round = 0; round < (text ? 1 : 5); ++round) {
            // Baseline: std::sort of pointers to the same entries by the same key, plainly compared.
            std::vector<const TFileObject*> plain;
            for (const TFileObject& entry : entries)
                plain.push_back(&entry);
            t0 = Clock::now();
            std::sort(plain.begin(), plain.end(), [&](const TFileObject* a, const TFileObject* b) {
                switch (key) {
                case 1:
                    return locale.CompareNoCase(a->Name, b->Name) < 0;
                case 2:
                    return a->Size < b->Size;
                case 3:
                    return a->Created < b->Created;
                case 4:
                    return a->Modified < b->Modified;
                case 5:
                    return a->Accessed < b->Accessed;
                case 6:
                    return locale.CompareNoCase(a->DosName, b->DosName) < 0;
                case 7:
                    return a->Attributes < b->Attributes;
                default:
                    return locale.CompareNoCase(a->TypeName, b->TypeName) < 0;
                }
            });
            base = std::min(base, Seconds(Clock::now() - t0));
            TFileListing copy;
            Fill(copy, count);
            t0 = Clock::now();
            copy.Sort(key, true, locale);
            ours = std::min(ours, Seconds(Clock::now() - t0));
        }
        std::printf("sort key %d: %.3f s, std::sort %.3f s, ratio %.2f (target <= 2)\n", key, ours, base,
                    ours / base);
    }
    return sink == 42 ? 1 : 0;
}
