// The command line's parser: what starts the window, what runs, and the one-line usage errors.
#include "cmdline/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = ParsedCommandLine::Kind;
using Args = std::vector<std::wstring>;

ParsedCommandLine Parse(const Args& args) {
    return ParseCommandLine(args);
}

} // namespace

TEST(CommandLine, WithoutAnOperationSwitchTheWindowStarts) {
    for (const Args& args : {Args{}, Args{L"/noversion"}, Args{L"-NoVersion"}, Args{L"C:\\photo.jpg"}})
        EXPECT_EQ(Parse(args).What, Kind::Window);
    // Explorer's verb and a drop on the icon: the window opens on them.
    const ParsedCommandLine parsed = Parse({L"/noversion", L"C:\\a.jpg", L"--", L"/b.jpg"});
    ASSERT_EQ(parsed.What, Kind::Window);
    EXPECT_EQ(parsed.Request.Paths, (Args{L"C:\\a.jpg", L"/b.jpg"}));
}

TEST(CommandLine, HelpWinsOverAnythingGivenWithIt) {
    for (const Args& args : {Args{L"/?"}, Args{L"-HELP"}, Args{L"/upper", L"/foo", L"-?"}})
        EXPECT_EQ(Parse(args).What, Kind::Help);
    EXPECT_NE(CommandUsageText().find(L"/shift:[+|-][J.]hh:mm:ss"), std::wstring::npos);
}

TEST(CommandLine, DateRequestReadsEveryOptionWhateverTheSwitchSpelling) {
    const ParsedCommandLine parsed = Parse({L"-Date=2025-03-30 23:22:33", L"/STAMPS:mA", L"/mask:*.JPG;*.TIF",
                                            L"-dryrun", L"/noversion", L"a.jpg", L"D:\\b"});
    ASSERT_EQ(parsed.What, Kind::Run) << parsed.Error;
    const CommandRequest& request = parsed.Request;
    EXPECT_EQ(request.Operation, CommandOperation::DateTime);
    EXPECT_EQ(request.When, (CommandInstant{{2025, 3, 30, 23, 22, 33, 0}, std::nullopt}));
    EXPECT_EQ(request.Stamps, (StampSet{Stamp::LastWrite, Stamp::LastAccess}));
    EXPECT_EQ(request.Mask, L"*.JPG;*.TIF");
    EXPECT_TRUE(request.DryRun);
    EXPECT_TRUE(request.NoVersion);
    EXPECT_FALSE(request.Recurse);
    EXPECT_EQ(request.Paths, (Args{L"a.jpg", L"D:\\b"}));
}

TEST(CommandLine, EachOperationSwitchNamesItsOperation) {
    const std::pair<const wchar_t*, CommandOperation> cases[] = {
        {L"/zero", CommandOperation::TimeZero},
        {L"/UPPER", CommandOperation::Upper},
        {L"-lower", CommandOperation::Lower},
        {L"/first", CommandOperation::FirstUpper},
        {L"/exif", CommandOperation::Exif},
        {L"/from:ref.jpg", CommandOperation::FromFile},
        {L"/shift:1:00:00", CommandOperation::Shift},
        {L"/copy:m>ca", CommandOperation::CopyStamp},
        {L"/name", CommandOperation::NameDate},
        {L"/Name:AAAAMMJJ*", CommandOperation::NameDate},
        {L"/FromTree:D:\\Orig", CommandOperation::FromTree},
    };
    for (const auto& [option, operation] : cases) {
        const ParsedCommandLine parsed = Parse({option, L"/recurse", L"x"});
        ASSERT_EQ(parsed.What, Kind::Run) << option << L" " << parsed.Error;
        EXPECT_EQ(parsed.Request.Operation, operation) << option;
        EXPECT_TRUE(parsed.Request.Recurse);
        EXPECT_EQ(parsed.Request.Stamps, kAllStamps);
    }
    EXPECT_EQ(Parse({L"/from:ref.jpg", L"x"}).Request.FromFile, L"ref.jpg");
    const ParsedCommandLine tree = Parse({L"/fromtree=D:\\Orig", L"/stamps:m", L"/AnySize", L"x"});
    EXPECT_EQ(tree.Request.FromTree, L"D:\\Orig");
    EXPECT_EQ(tree.Request.Stamps, StampSet{Stamp::LastWrite});
    EXPECT_TRUE(tree.Request.AnySize);
    EXPECT_FALSE(Parse({L"/fromtree:D:\\Orig", L"x"}).Request.AnySize);
    const ParsedCommandLine camera = Parse({L"/Camera:Canon EOS 80D", L"/shift:-00:10:00", L"x"});
    ASSERT_EQ(camera.What, Kind::Run) << camera.Error;
    EXPECT_EQ(camera.Request.Camera, L"Canon EOS 80D");
    EXPECT_EQ(Parse({L"/name", L"x"}).Request.NamePattern, L"");
    EXPECT_EQ(Parse({L"/name=Scan AAAA-MM-JJ*", L"x"}).Request.NamePattern, L"Scan AAAA-MM-JJ*");
    const ParsedCommandLine copy = Parse({L"/copy:M>cA", L"x"});
    EXPECT_EQ(copy.Request.CopySource, Stamp::LastWrite);
    EXPECT_EQ(copy.Request.CopyTargets, (StampSet{Stamp::Creation, Stamp::LastAccess}));
    const ParsedCommandLine undo = Parse({L"/undo", L"/dryrun"});
    ASSERT_EQ(undo.What, Kind::Run);
    EXPECT_EQ(undo.Request.Operation, CommandOperation::Undo);
    EXPECT_EQ(undo.Request.UndoId, std::nullopt);
    const ParsedCommandLine undoOne = Parse({L"-UNDO=18446744073709551615"});
    ASSERT_EQ(undoOne.What, Kind::Run) << undoOne.Error;
    EXPECT_EQ(undoOne.Request.UndoId, 18446744073709551615ull);
    const ParsedCommandLine journal = Parse({L"/Journal", L"/noversion"});
    ASSERT_EQ(journal.What, Kind::Run) << journal.Error;
    EXPECT_EQ(journal.Request.Operation, CommandOperation::Journal);
}

TEST(CommandLine, DatesAreLocalOrExactInstantsInTheOneForm) {
    const std::pair<const wchar_t*, CommandInstant> cases[] = {
        {L"2024-02-29 00:00:00", {{2024, 2, 29, 0, 0, 0, 0}, std::nullopt}},
        {L"9999-12-31T23:59:59", {{9999, 12, 31, 23, 59, 59, 0}, std::nullopt}},
        {L"2024-07-01T10:00:00Z", {{2024, 7, 1, 10, 0, 0, 0}, 0}},
        {L"2024-07-01 10:00:00+05:30", {{2024, 7, 1, 10, 0, 0, 0}, 330}},
        {L"2024-07-01T10:00:00-09:45", {{2024, 7, 1, 10, 0, 0, 0}, -585}},
    };
    for (const auto& [text, instant] : cases)
        EXPECT_EQ(ParseCommandDate(text), instant) << text;
    for (const wchar_t* bad :
         {L"2025-02-30 10:00:00", L"2023-02-29 10:00:00", L"2025-3-30 10:00:00", L"2025-03-30t10:00:00",
          L"2025-03-30 24:00:00", L"2025-03-30 10:60:00", L"0000-01-01 00:00:00", L"2025-13-01 00:00:00",
          L"2025-03-30 10:00:00 ", L"2025-03-30 10:00", L"+025-03-30 10:00:00", L"2025-03-30T10:00:00ZZ",
          L"2025-03-30T10:00:00+0530", L"2025-03-30T10:00:00+05", L"2025-03-30T10:00:00+24:00",
          L"2025-03-30T10:00:00+05:60", L"2025-03-30T10:00:00 Z", L"2025-03-30T10:00Z"})
        EXPECT_FALSE(ParseCommandDate(bad)) << bad;
}

TEST(CommandLine, DoubleDashEndsTheSwitches) {
    const ParsedCommandLine parsed = Parse({L"/upper", L"a.jpg", L"--", L"-2024-archive.jpg", L"/?", L"--"});
    ASSERT_EQ(parsed.What, Kind::Run) << parsed.Error;
    EXPECT_EQ(parsed.Request.Paths, (Args{L"a.jpg", L"-2024-archive.jpg", L"/?", L"--"}));
    EXPECT_EQ(Parse({L"/upper", L"--"}).What, Kind::Error);
    EXPECT_EQ(Parse({L"--", L"/upper"}).What, Kind::Window);
}

TEST(CommandLine, ShiftsTakeAnOptionalSignAndDaysWithinTheDialogsRange) {
    EXPECT_EQ(ParseCommandShift(L"+1.02:03:04"), (DateShift{false, 1, 2, 3, 4}));
    EXPECT_EQ(ParseCommandShift(L"-00:00:30"), (DateShift{true, 0, 0, 0, 30}));
    EXPECT_EQ(ParseCommandShift(L"9999.23:59:59"), (DateShift{false, 9999, 23, 59, 59}));
    EXPECT_EQ(ParseCommandShift(L"5:00:00"), (DateShift{false, 0, 5, 0, 0}));
    for (const wchar_t* bad : {L"00:00:00", L"-0.00:00:00", L"1.24:00:00", L"00:60:00", L"00:00:60",
                               L"10000.00:00:00", L"+-1:00:00", L"1:2:3", L".01:00:00", L"1.:00:00", L"01:00",
                               L"01:00:00:00", L"1.1.01:00:00", L"001:00:00"})
        EXPECT_FALSE(ParseCommandShift(bad)) << bad;
}

TEST(CommandLine, UsageErrorsAreOneFrenchLineNamingTheFault) {
    const std::pair<Args, std::wstring> cases[] = {
        {{L"/foo", L"x"}, L"option inconnue « /foo »"},
        {{L"/upper", L"-Lower", L"x"}, L"une seule opération à la fois : « /upper » et « -Lower »"},
        {{L"/date:2025-02-30 10:00:00", L"x"},
         L"date invalide « 2025-02-30 10:00:00 » (attendu AAAA-MM-JJ hh:mm:ss, suivi au besoin de Z ou "
         L"+hh:mm)"},
        {{L"/date", L"x"}, L"valeur manquante pour « /date »"},
        {{L"/mask=", L"/zero", L"x"}, L"valeur manquante pour « /mask »"},
        {{L"/upper:yes", L"x"}, L"l'option « /upper » ne prend pas de valeur"},
        {{L"/upper"}, L"aucun fichier ni dossier donné"},
        {{L"/mask:*.jpg", L"/MASK:*.tif", L"/zero", L"x"}, L"option « /MASK » donnée deux fois"},
        {{L"/stamps:c", L"/upper", L"x"},
         L"« /stamps » ne va qu'avec /date, /shift, /from, /exif, /name ou /fromtree"},
        {{L"/anysize", L"/zero", L"x"}, L"/anysize ne va qu'avec /fromtree"},
        {{L"/fromtree:D:\\Orig", L"x", L"y"}, L"« /fromtree » prend un seul dossier à dater : « y »"},
        {{L"/fromtree", L"x"}, L"valeur manquante pour « /fromtree »"},
        {{L"/name:IMG_*", L"x"},
         L"modèle de nom invalide « IMG_* » (AAAA, MM et JJ une fois chacun ; hh, mm, ss au besoin ; * pour "
         L"tout "
         L"texte)"},
        {{L"/name:", L"x"}, L"valeur manquante pour « /name »"},
        {{L"/camera:Canon", L"/zero", L"x"}, L"« /camera » ne va qu'avec /shift"},
        {{L"/shift:01:00:00", L"/camera:  ", L"x"}, L"valeur manquante pour « /camera »"},
        {{L"/stamps:cc", L"/exif", L"x"}, L"dates invalides « cc » (attendu des lettres parmi c, m, a)"},
        {{L"/undo", L"x"}, L"« /undo » ne prend pas de chemin : « x »"},
        {{L"/recurse", L"/undo"}, L"« /recurse » ne va pas avec « /undo »"},
        {{L"/undo:12a"}, L"numéro d'opération invalide « 12a » (attendu un numéro que donne /journal)"},
        {{L"/undo:0"}, L"numéro d'opération invalide « 0 » (attendu un numéro que donne /journal)"},
        {{L"/undo:18446744073709551616"},
         L"numéro d'opération invalide « 18446744073709551616 » (attendu un numéro que donne /journal)"},
        {{L"/undo:"}, L"valeur manquante pour « /undo »"},
        {{L"/journal", L"x"}, L"« /journal » ne prend pas de chemin : « x »"},
        {{L"/journal", L"/dryrun"}, L"« /journal » ne va pas avec /dryrun, /mask ni /recurse"},
        {{L"/journal", L"/undo"}, L"une seule opération à la fois : « /journal » et « /undo »"},
        {{L"/dryrun", L"x"},
         L"aucune opération demandée (/date, /zero, /upper, /lower, /first, /shift, /copy, /from, /exif, "
         L"/name, /fromtree, /folders:contenu, /undo ou /journal)"},
        {{L"/zero", L""}, L"chemin vide"},
    };
    for (const auto& [args, message] : cases) {
        const ParsedCommandLine parsed = Parse(args);
        EXPECT_EQ(parsed.What, Kind::Error) << message;
        EXPECT_EQ(parsed.Error, L"Kavet24 : " + message + L" (Kavet24 /? pour l'aide)");
    }
    for (const wchar_t* bad :
         {L"/copy:m>m", L"/copy:m>", L"/copy:x>c", L"/copy:mc>a", L"/copy:m>cc", L"/copy:m-c"})
        EXPECT_EQ(Parse({bad, L"x"}).What, Kind::Error) << bad;
}

TEST(CommandLine, DryRunCountLineNamesOnlyWhatItCounts) {
    EXPECT_EQ(DryRunCountLine(0, 0, 0), L"0 fichier serait modifié");
    EXPECT_EQ(DryRunCountLine(1, 0, 0), L"1 fichier serait modifié");
    EXPECT_EQ(DryRunCountLine(3, 2, 1),
              L"3 fichiers seraient modifiés, 2 non modifiés, 1 déjà comme demandé");
}

TEST(CommandLine, OutputSwitchesSayWhereTheRunTellsWhatItDid) {
    const ParsedCommandLine all = Parse({L"/zero", L"-Quiet", L"/CSV:out.csv", L"/log=run.log", L"x"});
    ASSERT_EQ(all.What, Kind::Run) << all.Error;
    EXPECT_EQ(all.Request.Output, (CommandOutput{true, true, L"out.csv", L"run.log"}));
    const ParsedCommandLine toOutput = Parse({L"/undo", L"/csv"});
    ASSERT_EQ(toOutput.What, Kind::Run) << toOutput.Error;
    EXPECT_EQ(toOutput.Request.Output, (CommandOutput{false, true, L"", L""}));
    EXPECT_EQ(Parse({L"/zero", L"x"}).Request.Output, CommandOutput{});

    const std::pair<Args, std::wstring> errors[] = {
        {{L"/zero", L"/quiet:yes", L"x"}, L"l'option « /quiet » ne prend pas de valeur"},
        {{L"/zero", L"/log", L"x"}, L"valeur manquante pour « /log »"},
        {{L"/zero", L"/csv:", L"x"}, L"valeur manquante pour « /csv »"},
        {{L"/zero", L"/csv", L"/CSV:a.csv", L"x"}, L"option « /CSV » donnée deux fois"},
        {{L"/zero", L"/csv:Run.txt", L"/log:run.TXT", L"x"},
         L"/csv et /log ne peuvent écrire le même fichier « run.TXT »"},
        {{L"/quiet", L"x"},
         L"aucune opération demandée (/date, /zero, /upper, /lower, /first, /shift, /copy, /from, /exif, "
         L"/name, /fromtree, /folders:contenu, /undo ou /journal)"},
    };
    for (const auto& [args, message] : errors)
        EXPECT_EQ(Parse(args).Error, L"Kavet24 : " + message + L" (Kavet24 /? pour l'aide)") << message;
    for (const wchar_t* documented : {L"/quiet", L"/csv[:FICHIER]", L"/log:FICHIER"})
        EXPECT_NE(CommandUsageText().find(documented), std::wstring::npos) << documented;
}

TEST(CommandLine, FoldersSwitchAddsFoldersToDateOperationsOrDatesThemByTheirContents) {
    const ParsedCommandLine with = Parse({L"/zero", L"/FOLDERS", L"x"});
    ASSERT_EQ(with.What, Kind::Run) << with.Error;
    EXPECT_TRUE(with.Request.Folders);
    EXPECT_FALSE(Parse({L"/zero", L"x"}).Request.Folders);
    const ParsedCommandLine content = Parse({L"/folders:Contenu", L"/recurse", L"x"});
    ASSERT_EQ(content.What, Kind::Run) << content.Error;
    EXPECT_EQ(content.Request.Operation, CommandOperation::FolderContent);

    const std::pair<Args, std::wstring> errors[] = {
        {{L"/upper", L"/folders", L"x"}, L"« /folders » ne va qu'avec /date, /zero, /shift, /copy ou /from"},
        {{L"/folders:tout", L"x"},
         L"valeur invalide « tout » pour « /folders » (attendu /folders ou /folders:contenu)"},
        {{L"/zero", L"/folders:contenu", L"x"},
         L"une seule opération à la fois : « /zero » et « /folders:contenu »"},
        {{L"/folders:contenu", L"/mask:*.jpg", L"x"},
         L"« /folders:contenu » ne va pas avec /mask : chaque dossier est daté d'après tout ce qu'il "
         L"contient"},
        {{L"/undo", L"/folders"}, L"« /folders » ne va pas avec « /undo »"},
    };
    for (const auto& [args, message] : errors)
        EXPECT_EQ(Parse(args).Error, L"Kavet24 : " + message + L" (Kavet24 /? pour l'aide)") << message;
}
