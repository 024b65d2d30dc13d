// The switches of the command line, their values and the rules that bind them together.
#include "cmdline/CommandLine.h"

#include "base/TextHelpers.h"
#include "listing/MaskSearch.h"
#include "readers/NameDate.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::wstring_view kEndOfSwitches = L"--";

struct SwitchInfo {
    std::wstring_view Name;
    bool TakesValue = false;
    // Set for the switches that name the operation.
    std::optional<CommandOperation> Operation;
    // Set for a switch whose value may be left out.
    bool ValueOptional = false;
};

constexpr std::array<SwitchInfo, 26> kSwitches{{
    {L"date", true, CommandOperation::DateTime},
    {L"zero", false, CommandOperation::TimeZero},
    {L"upper", false, CommandOperation::Upper},
    {L"lower", false, CommandOperation::Lower},
    {L"first", false, CommandOperation::FirstUpper},
    {L"shift", true, CommandOperation::Shift},
    {L"copy", true, CommandOperation::CopyStamp},
    {L"from", true, CommandOperation::FromFile},
    {L"exif", false, CommandOperation::Exif},
    {L"name", false, CommandOperation::NameDate, true},
    {L"undo", false, CommandOperation::Undo, true},
    {L"journal", false, CommandOperation::Journal},
    {L"stamps", true, std::nullopt},
    {L"mask", true, std::nullopt},
    {L"recurse", false, std::nullopt},
    {L"dryrun", false, std::nullopt},
    {L"noversion", false, std::nullopt},
    {L"csv", false, std::nullopt, true},
    {L"quiet", false, std::nullopt},
    {L"log", true, std::nullopt},
    {L"help", false, std::nullopt},
    {L"?", false, std::nullopt},
    {L"fromtree", true, CommandOperation::FromTree},
    {L"anysize", false, std::nullopt},
    {L"camera", true, std::nullopt},
    // Alone, an option of the date operations; as /folders:contenu, an operation of its own.
    {L"folders", false, std::nullopt, true},
}};

bool IsSwitch(std::wstring_view arg) {
    return arg.size() > 1 && (arg[0] == L'/' || arg[0] == L'-');
}

// Switch names are ASCII: other letters are left as they are and match nothing.
std::wstring AsciiLower(std::wstring_view text) {
    std::wstring lowered(text);
    for (wchar_t& c : lowered)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return lowered;
}

const SwitchInfo* FindSwitch(std::wstring_view name) {
    const auto found = std::find_if(kSwitches.begin(), kSwitches.end(),
                                    [name](const SwitchInfo& info) { return info.Name == name; });
    return found == kSwitches.end() ? nullptr : &*found;
}

// `count` ASCII digits at `pos`, moving past them.
std::optional<int> Digits(std::wstring_view text, size_t& pos, size_t count) {
    if (text.size() - std::min(text.size(), pos) < count)
        return std::nullopt;
    int value = 0;
    for (size_t i = 0; i < count; ++i, ++pos) {
        const wchar_t c = text[pos];
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

bool Skip(std::wstring_view text, size_t& pos, wchar_t expected) {
    if (pos >= text.size() || text[pos] != expected)
        return false;
    ++pos;
    return true;
}

// The longest run of ASCII digits at `pos`, up to `most` of them, at least one.
std::optional<int> SomeDigits(std::wstring_view text, size_t pos, size_t most, size_t& end) {
    end = pos;
    while (end < text.size() && end - pos < most + 1 && text[end] >= L'0' && text[end] <= L'9')
        ++end;
    if (end == pos || end - pos > most)
        return std::nullopt;
    size_t at = pos;
    return Digits(text, at, end - pos);
}

std::optional<Stamp> StampOfLetter(wchar_t letter) {
    switch (letter) {
    case L'c':
    case L'C':
        return Stamp::Creation;
    case L'm':
    case L'M':
        return Stamp::LastWrite;
    case L'a':
    case L'A':
        return Stamp::LastAccess;
    default:
        return std::nullopt;
    }
}

// One or more of "c", "m", "a", each once.
std::optional<StampSet> ParseStampLetters(std::wstring_view text) {
    StampSet stamps;
    for (const wchar_t letter : text) {
        const std::optional<Stamp> stamp = StampOfLetter(letter);
        if (!stamp || stamps.Contains(*stamp))
            return std::nullopt;
        stamps.Include(*stamp);
    }
    return stamps.Empty() ? std::nullopt : std::optional(stamps);
}

ParsedCommandLine Failed(const std::wstring& message) {
    ParsedCommandLine result;
    result.What = ParsedCommandLine::Kind::Error;
    result.Error = CommandErrorLine(message);
    return result;
}

// The switches that say where the run tells what it did; false for any other.
bool ReadOutputSwitch(const std::wstring& name, const std::wstring& value, CommandOutput& output) {
    if (name == L"quiet") {
        output.Quiet = true;
    } else if (name == L"csv") {
        output.Csv = true;
        output.CsvFile = value;
    } else if (name == L"log") {
        output.LogFile = value;
    } else {
        return false;
    }
    return true;
}

bool TakesStamps(CommandOperation operation) {
    return operation == CommandOperation::DateTime || operation == CommandOperation::Shift ||
           operation == CommandOperation::FromFile || operation == CommandOperation::Exif ||
           operation == CommandOperation::NameDate || operation == CommandOperation::FromTree;
}

// /journal only lists: it takes no path and changes nothing, so it has nothing to try out either.
std::optional<ParsedCommandLine> CheckJournalSwitches(const CommandRequest& request,
                                                      const std::wstring& operationSwitch) {
    if (request.Operation != CommandOperation::Journal)
        return std::nullopt;
    if (!request.Paths.empty())
        return Failed(Quoted(operationSwitch) + L" ne prend pas de chemin : " + Quoted(request.Paths[0]));
    if (request.DryRun || request.Recurse || request.Mask != L"*.*")
        return Failed(Quoted(operationSwitch) + L" ne va pas avec /dryrun, /mask ni /recurse");
    return std::nullopt;
}

// /folders dates folders beside files: only with the operations whose date a folder can take.
std::optional<ParsedCommandLine> CheckFolderSwitches(const CommandRequest& request,
                                                     const std::wstring& operationSwitch,
                                                     const std::wstring& foldersSwitch) {
    if (request.Operation == CommandOperation::FolderContent && request.Mask != L"*.*")
        return Failed(Quoted(operationSwitch) + L" ne va pas avec /mask : chaque dossier est daté d'après "
                                                L"tout ce qu'il contient");
    if (foldersSwitch.empty() || request.Operation == CommandOperation::Undo)
        return std::nullopt; // refused with the other scope switches
    if (request.Operation == CommandOperation::Journal)
        return Failed(Quoted(foldersSwitch) + L" ne va pas avec " + Quoted(operationSwitch));
    switch (request.Operation) {
    case CommandOperation::DateTime:
    case CommandOperation::TimeZero:
    case CommandOperation::Shift:
    case CommandOperation::CopyStamp:
    case CommandOperation::FromFile:
        return std::nullopt;
    default:
        return Failed(Quoted(foldersSwitch) + L" ne va qu'avec /date, /zero, /shift, /copy ou /from");
    }
}

} // namespace

std::optional<uint64_t> ParseOperationId(std::wstring_view text) {
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    uint64_t id = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        const uint64_t digit = static_cast<uint64_t>(c - L'0');
        if (id > (UINT64_MAX - digit) / 10)
            return std::nullopt;
        id = id * 10 + digit;
    }
    // Batch ids start at 1.
    if (id == 0)
        return std::nullopt;
    return id;
}

std::wstring CommandErrorLine(const std::wstring& message) {
    return L"Kavet24 : " + message + L" (Kavet24 /? pour l'aide)";
}

std::optional<CommandInstant> ParseCommandDate(std::wstring_view text) {
    size_t pos = 0;
    CommandInstant instant;
    CivilTime& when = instant.When;
    const auto field = [&](int& into, size_t count, std::wstring_view after) {
        const std::optional<int> value = Digits(text, pos, count);
        if (!value)
            return false;
        if (!after.empty()) {
            if (pos >= text.size() || after.find(text[pos]) == std::wstring_view::npos)
                return false;
            ++pos;
        }
        into = *value;
        return true;
    };
    if (!field(when.Year, 4, L"-") || !field(when.Month, 2, L"-") || !field(when.Day, 2, L" T") ||
        !field(when.Hour, 2, L":") || !field(when.Minute, 2, L":") || !field(when.Second, 2, L""))
        return std::nullopt;
    if (when.Year < 1 || when.Month < 1 || when.Month > 12 || when.Day < 1 ||
        when.Day > DaysInMonth(when.Year, when.Month) || when.Hour > 23 || when.Minute > 59 ||
        when.Second > 59)
        return std::nullopt;
    if (pos < text.size() && text[pos] == L'Z') {
        instant.OffsetMinutes = 0;
        ++pos;
    } else if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        const int sign = text[pos++] == L'-' ? -1 : 1;
        int hours = 0;
        int minutes = 0;
        if (!field(hours, 2, L":") || !field(minutes, 2, L"") || hours > 23 || minutes > 59)
            return std::nullopt;
        instant.OffsetMinutes = sign * (hours * 60 + minutes);
    }
    if (pos != text.size())
        return std::nullopt;
    return instant;
}

std::optional<DateShift> ParseCommandShift(std::wstring_view text) {
    DateShift shift;
    size_t pos = 0;
    if (Skip(text, pos, L'-'))
        shift.Backward = true;
    else
        Skip(text, pos, L'+');
    if (const size_t dot = text.find(L'.', pos); dot != std::wstring_view::npos) {
        size_t end = 0;
        const std::optional<int> days = SomeDigits(text, pos, 4, end);
        if (!days || end != dot)
            return std::nullopt;
        shift.Days = *days;
        pos = dot + 1;
    }
    size_t end = 0;
    const std::optional<int> hours = SomeDigits(text, pos, 2, end);
    if (!hours)
        return std::nullopt;
    shift.Hours = *hours;
    pos = end;
    std::optional<int> minutes;
    std::optional<int> seconds;
    if (!Skip(text, pos, L':') || !(minutes = Digits(text, pos, 2)) || !Skip(text, pos, L':') ||
        !(seconds = Digits(text, pos, 2)) || pos != text.size())
        return std::nullopt;
    shift.Minutes = *minutes;
    shift.Seconds = *seconds;
    if (!IsValidShift(shift))
        return std::nullopt;
    return shift;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& args) {
    // "--" ends the switches, so that a file whose name starts with "-" can be named.
    const auto endOfSwitches = std::find(args.begin(), args.end(), kEndOfSwitches);
    // Help wins over anything else given with it, even a mistake.
    for (auto at = args.begin(); at != endOfSwitches; ++at) {
        const std::wstring& arg = *at;
        if (!IsSwitch(arg))
            continue;
        const std::wstring name =
            AsciiLower(std::wstring_view(arg).substr(1, arg.find_first_of(L":=", 1) - 1));
        if (name == L"?" || name == L"help") {
            ParsedCommandLine result;
            result.What = ParsedCommandLine::Kind::Help;
            return result;
        }
    }

    CommandRequest request;
    std::wstring operationSwitch;
    std::wstring stampsSwitch;
    std::wstring scopeSwitch; // /mask, /recurse or /folders, which /undo does without
    std::wstring foldersSwitch;
    std::wstring cameraSwitch;
    std::vector<std::wstring> seen;
    bool anySwitch = false;
    for (auto at = args.begin(); at != args.end(); ++at) {
        const std::wstring& arg = *at;
        if (at == endOfSwitches)
            continue;
        if (at > endOfSwitches || !IsSwitch(arg)) {
            if (arg.empty())
                return Failed(L"chemin vide");
            request.Paths.push_back(arg);
            continue;
        }
        const size_t separator = arg.find_first_of(L":=", 1);
        const std::wstring typed = arg.substr(0, separator);
        const std::wstring name = AsciiLower(std::wstring_view(typed).substr(1));
        const bool hasValue = separator != std::wstring::npos;
        const std::wstring value = hasValue ? arg.substr(separator + 1) : std::wstring();
        const SwitchInfo* known = FindSwitch(name);
        if (!known)
            return Failed(L"option inconnue " + Quoted(typed));
        if ((known->TakesValue || (known->ValueOptional && hasValue)) && value.empty())
            return Failed(L"valeur manquante pour " + Quoted(typed));
        if (known->ValueOptional && hasValue && value.empty())
            return Failed(L"valeur manquante pour " + Quoted(typed));
        if (!known->TakesValue && !known->ValueOptional && hasValue)
            return Failed(L"l'option " + Quoted(typed) + L" ne prend pas de valeur");
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            return Failed(L"option " + Quoted(typed) + L" donnée deux fois");
        seen.push_back(name);
        if (name != L"noversion")
            anySwitch = true;
        if (known->Operation) {
            if (!operationSwitch.empty())
                return Failed(L"une seule opération à la fois : " + Quoted(operationSwitch) + L" et " +
                              Quoted(typed));
            operationSwitch = typed;
            request.Operation = *known->Operation;
        }

        if (name == L"date") {
            const std::optional<CommandInstant> when = ParseCommandDate(value);
            if (!when)
                return Failed(L"date invalide " + Quoted(value) +
                              L" (attendu AAAA-MM-JJ hh:mm:ss, suivi au besoin de Z ou +hh:mm)");
            request.When = *when;
        } else if (name == L"shift") {
            const std::optional<DateShift> shift = ParseCommandShift(value);
            if (!shift)
                return Failed(L"décalage invalide " + Quoted(value) +
                              L" (attendu [+|-][J.]hh:mm:ss, non nul)");
            request.Shift = *shift;
        } else if (name == L"copy") {
            const size_t arrow = value.find(L'>');
            const std::optional<StampSet> targets =
                arrow == 1 ? ParseStampLetters(std::wstring_view(value).substr(2)) : std::nullopt;
            const std::optional<Stamp> source = StampOfLetter(value[0]);
            if (!source || !targets || targets->Contains(*source))
                return Failed(L"copie invalide " + Quoted(value) +
                              L" (attendu source>cibles parmi c, m, a, par exemple m>ca)");
            request.CopySource = *source;
            request.CopyTargets = *targets;
        } else if (name == L"undo" && hasValue) {
            request.UndoId = ParseOperationId(value);
            if (!request.UndoId)
                return Failed(L"numéro d'opération invalide " + Quoted(value) +
                              L" (attendu un numéro que donne /journal)");
        } else if (name == L"from") {
            request.FromFile = value;
        } else if (name == L"fromtree") {
            request.FromTree = value;
        } else if (name == L"anysize") {
            request.AnySize = true;
        } else if (name == L"name") {
            if (hasValue && !ParseNamePattern(value))
                return Failed(
                    L"modèle de nom invalide " + Quoted(value) +
                    L" (AAAA, MM et JJ une fois chacun ; hh, mm, ss au besoin ; * pour tout texte)");
            request.NamePattern = value;
        } else if (name == L"camera") {
            if (TrimSpaces(value).empty())
                return Failed(L"valeur manquante pour " + Quoted(typed));
            request.Camera = value;
            cameraSwitch = typed;
        } else if (name == L"stamps") {
            const std::optional<StampSet> stamps = ParseStampLetters(value);
            if (!stamps)
                return Failed(L"dates invalides " + Quoted(value) + L" (attendu des lettres parmi c, m, a)");
            request.Stamps = *stamps;
            stampsSwitch = typed;
        } else if (name == L"mask") {
            if (ParseMask(value).empty())
                return Failed(L"masque vide " + Quoted(value));
            request.Mask = value;
            scopeSwitch = typed;
        } else if (name == L"folders" && hasValue) {
            if (AsciiLower(value) != L"contenu")
                return Failed(L"valeur invalide " + Quoted(value) + L" pour " + Quoted(typed) +
                              L" (attendu /folders ou /folders:contenu)");
            if (!operationSwitch.empty())
                return Failed(L"une seule opération à la fois : " + Quoted(operationSwitch) + L" et " +
                              Quoted(arg));
            operationSwitch = arg;
            request.Operation = CommandOperation::FolderContent;
        } else if (name == L"folders") {
            request.Folders = true;
            foldersSwitch = typed;
            scopeSwitch = typed;
        } else if (name == L"recurse") {
            request.Recurse = true;
            scopeSwitch = typed;
        } else if (name == L"dryrun") {
            request.DryRun = true;
        } else if (name == L"noversion") {
            request.NoVersion = true;
        } else {
            ReadOutputSwitch(name, value, request.Output);
        }
    }

    ParsedCommandLine result;
    if (!anySwitch) {
        // The window opens on these paths' folder with the named files selected.
        result.Request.Paths = std::move(request.Paths);
        return result;
    }
    if (!cameraSwitch.empty() && (operationSwitch.empty() || request.Operation != CommandOperation::Shift))
        return Failed(Quoted(cameraSwitch) + L" ne va qu'avec /shift");
    if (operationSwitch.empty())
        return Failed(L"aucune opération demandée (/date, /zero, /upper, /lower, /first, /shift, /copy, "
                      L"/from, /exif, /name, /fromtree, /folders:contenu, /undo ou /journal)");
    if (!stampsSwitch.empty() && !TakesStamps(request.Operation))
        return Failed(Quoted(stampsSwitch) +
                      L" ne va qu'avec /date, /shift, /from, /exif, /name ou /fromtree");
    if (request.AnySize && request.Operation != CommandOperation::FromTree)
        return Failed(L"/anysize ne va qu'avec /fromtree");
    // The tree it dates is one folder, taken whole.
    if (request.Operation == CommandOperation::FromTree && request.Paths.size() > 1)
        return Failed(Quoted(operationSwitch) + L" prend un seul dossier à dater : " +
                      Quoted(request.Paths[1]));
    if (const std::optional<ParsedCommandLine> refused = CheckJournalSwitches(request, operationSwitch))
        return *refused;
    if (const std::optional<ParsedCommandLine> refused =
            CheckFolderSwitches(request, operationSwitch, foldersSwitch))
        return *refused;
    if (request.Operation == CommandOperation::Undo) {
        if (!request.Paths.empty())
            return Failed(Quoted(operationSwitch) + L" ne prend pas de chemin : " + Quoted(request.Paths[0]));
        if (!scopeSwitch.empty())
            return Failed(Quoted(scopeSwitch) + L" ne va pas avec " + Quoted(operationSwitch));
    } else if (request.Paths.empty() && request.Operation != CommandOperation::Journal) {
        return Failed(L"aucun fichier ni dossier donné");
    }
    const CommandOutput& output = request.Output;
    if (!output.CsvFile.empty() && AsciiLower(output.CsvFile) == AsciiLower(output.LogFile))
        return Failed(L"/csv et /log ne peuvent écrire le même fichier " + Quoted(output.LogFile));
    result.What = ParsedCommandLine::Kind::Run;
    result.Request = std::move(request);
    return result;
}

std::wstring DryRunCountLine(size_t wouldChange, size_t refused, size_t alreadyDone) {
    const auto count = [](size_t n) { return static_cast<int64_t>(n); };
    std::wstring line = std::to_wstring(wouldChange) + PluralWord(L" fichier", count(wouldChange)) +
                        (wouldChange > 1 ? L" seraient modifiés" : L" serait modifié");
    if (refused > 0)
        line += L", " + std::to_wstring(refused) + PluralWord(L" non modifié", count(refused));
    if (alreadyDone > 0)
        line += L", " + std::to_wstring(alreadyDone) + L" déjà comme demandé";
    return line;
}

std::wstring CommandUsageText() {
    return L"Kavet24 : change les dates ou la casse du nom de fichiers, sans ouvrir la fenêtre.\r\n"
           L"\r\n"
           L"Kavet24 OPÉRATION [/stamps:cma] [/mask:MASQUE] [/recurse] [/dryrun] [/quiet]\r\n"
           L"        [/csv[:FICHIER]] [/log:FICHIER] [--] CHEMIN...\r\n"
           L"Kavet24 /undo[:N] [/dryrun] [/quiet] [/csv[:FICHIER]] [/log:FICHIER]\r\n"
           L"Kavet24 /journal\r\n"
           L"\r\n"
           L"Une seule opération parmi :\r\n"
           L"  /date:\"AAAA-MM-JJ hh:mm:ss\"  met les dates choisies à cette date-heure locale\r\n"
           L"                              (T peut remplacer l'espace ; Z ou +hh:mm, -hh:mm\r\n"
           L"                              à la fin : un instant exact, 2024-07-01T10:00:00Z)\r\n"
           L"  /zero                       Heure Zéro : les trois dates à aujourd'hui 00:00:00\r\n"
           L"  /upper                      Majuscules : le nom en majuscules\r\n"
           L"  /lower                      Minuscules : le nom en minuscules\r\n"
           L"  /first                      Maj-minuscules : la première lettre en majuscule\r\n"
           L"  /shift:[+|-][J.]hh:mm:ss    décale les dates choisies (ex. /shift:-1.02:00:00)\r\n"
           L"  /camera:\"MARQUE MODÈLE\"     avec /shift : seules les photos de cet appareil sont\r\n"
           L"                              décalées (recale son horloge ; ex. /shift:+01:02:00\r\n"
           L"                              /camera:\"Canon EOS 80D\")\r\n"
           L"  /copy:S>CIBLES              copie une date dans d'autres (ex. \"/copy:m>ca\")\r\n"
           L"  /from:FICHIER               les dates choisies d'un autre fichier\r\n"
           L"  /exif                       les dates choisies à la date de prise de vue de la photo\r\n"
           L"                              ou de la vidéo (JPEG, TIFF, HEIC, MP4, MOV...)\r\n"
           L"  /name[:MODÈLE]              les dates choisies à la date lue dans le nom du fichier\r\n"
           L"                              (IMG_20230415_143022.jpg...) ; le modèle, avec AAAA MM\r\n"
           L"                              JJ hh mm ss et *, pour les autres noms (\"/name:Scan "
           L"AAAAMMJJ*\")\r\n"
           L"  /fromtree:DOSSIER           chaque fichier et sous-dossier du dossier donné prend les\r\n"
           L"                              dates choisies de celui qui porte le même chemin sous\r\n"
           L"                              DOSSIER (dates perdues par une copie) ; un fichier de\r\n"
           L"                              taille différente est laissé tel quel, sauf avec /anysize\r\n"
           L"  /undo                       annule la dernière opération du journal d'annulation\r\n"
           L"  /undo:N                     annule l'opération numéro N que liste /journal\r\n"
           L"  /journal                    liste les opérations gardées au journal, la plus récente\r\n"
           L"                              d'abord : numéro, date, opération, fichiers, état\r\n"
           L"  /folders:contenu            date chaque dossier, du plus profond au dossier donné,\r\n"
           L"                              d'après le plus récent de ce qu'il contient (un dossier\r\n"
           L"                              vide est laissé tel quel)\r\n"
           L"\r\n"
           L"Options :\r\n"
           L"  /stamps:cma   les dates touchées : c création, m modification, a dernier accès\r\n"
           L"                (les trois par défaut ; avec /date, /shift, /from, /exif, /name\r\n"
           L"                et /fromtree)\r\n"
           L"  /mask:*.JPG;*.TIF   les fichiers pris dans un dossier (*.* par défaut)\r\n"
           L"  /recurse      les sous-dossiers aussi\r\n"
           L"  /anysize      avec /fromtree : les fichiers de taille différente aussi\r\n"
           L"  /folders      les dossiers donnés aussi, et avec /recurse chaque sous-dossier\r\n"
           L"                (avec /date, /zero, /shift, /copy et /from)\r\n"
           L"  /dryrun       montre ce qui serait modifié (les dates ou le nom écrits),\r\n"
           L"                sans rien modifier\r\n"
           L"  /quiet        n'écrit que les fichiers non modifiés et le compte\r\n"
           L"  /csv          une ligne CSV par fichier sur la sortie standard, à la place\r\n"
           L"                des autres lignes (chemin, résultat, raison, dates et nom avant\r\n"
           L"                et après, en UTC) ; /csv:FICHIER l'écrit dans ce fichier\r\n"
           L"  /log:FICHIER  ajoute au fichier la date, la ligne de commande et les lignes\r\n"
           L"                écrites\r\n"
           L"  /noversion    la police des fenêtres (sans effet ici)\r\n"
           L"  /? ou /help   cette aide\r\n"
           L"  --            la fin des options : la suite n'est que chemins (-- -archive.jpg)\r\n"
           L"\r\n"
           L"CHEMIN : un fichier, un dossier (ses fichiers selon le masque) ou un modèle avec * et ?\r\n"
           L"dans son dernier élément. Les options s'écrivent avec / ou -, en majuscules ou\r\n"
           L"minuscules ; leur valeur suit « : » ou « = ». Un dossier entre guillemets peut finir\r\n"
           L"par \\ (\"D:\\Mes Photos\\\" ou \"%~dp0\" d'un fichier de commandes).\r\n"
           L"Chaque opération s'annule comme celles de la fenêtre (Ctrl+Z ou Kavet24 /undo).\r\n"

           L"\r\n"
           L"Code de sortie :\r\n"
           L"  0  tout est fait\r\n"
           L"  1  un fichier au moins n'a pu l'être, ou un dossier n'a pu être lu\r\n"
           L"  2  mauvais arguments, ou /undo:N d'une opération inconnue ou déjà annulée\r\n"
           L"     (rien n'est touché)\r\n"
           L"  3  aucun fichier ne correspond aux chemins donnés\r\n";
}
