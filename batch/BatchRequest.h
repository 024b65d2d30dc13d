// What the user asks of a batch, from the window's dialogs or the command line's switches: the
// operation and its values. Platform-free, so that the command line's parser can fill it.
#pragma once

#include "listing/DateTime.h"
#include "operations/DateShift.h"
#include "operations/Stamp.h"

#include <cstdint>
#include <optional>
#include <string>

enum class BatchOperation {
    DateTime,    // "Date-Heure": the stamps to one date and time
    TimeZero,    // "Heure Zéro": every stamp to today at 00:00:00
    Shift,       // "Décaler les dates"
    CopyStamp,   // "Copier une date": one stamp of each file into its others
    FromFile,    // "Dates d'un autre fichier"
    PhotoDate,   // "Date de prise de vue"
    NameDate,    // "Date du nom de fichier"
    Upper,       // "Majuscules"
    Lower,       // "Minuscules"
    FirstUpper,  // "Maj-minuscules"
    FromTree,    // "Copier les dates d'une autre arborescence"
    CameraClock, // "Recaler l'horloge d'un appareil": Shift on one camera's photos alone
    // "Dater les dossiers d'après leur contenu": each folder's modification date to the newest of
    // what it holds; its batch's targets are folders only.
    FolderContent,
};

// The file whose stamps "Dates d'un autre fichier" gives, as read once before the batch: the
// window shows these values in its dialog, and the batch gives exactly them.
struct ReferenceFile {
    std::wstring Name; // without its folder
    uint64_t Creation = 0;
    uint64_t LastAccess = 0;
    uint64_t LastWrite = 0;
};

struct BatchRequest {
    BatchOperation Operation = BatchOperation::TimeZero;
    // The stamps set: of DateTime, Shift, FromFile, PhotoDate, NameDate and CameraClock; the targets
    // of CopyStamp.
    StampSet Stamps = kAllStamps;
    CivilTime When; // DateTime
    // DateTime: the minutes east of UTC When was written at, which make it an exact instant;
    // none: When is the computer's local time on that date.
    std::optional<int> OffsetMinutes;
    DateShift Shift;         // Shift, CameraClock
    Stamp CopySource{};      // CopyStamp; never among its Stamps
    ReferenceFile Reference; // FromFile
    // NameDate: the user's pattern of the names ("AAAAMMJJ*"); empty for the known forms.
    std::wstring NamePattern;
    // FromTree: the folder whose tree gives its stamps, as the user named it, and whether a file
    // whose counterpart differs in size takes them all the same.
    std::wstring OtherTree;
    bool EvenIfSizeDiffers = false;
    // CameraClock: the camera whose photos are shifted, as CameraNameOf shows it or as the user
    // typed it ("Canon EOS 80D").
    std::wstring Camera;
    // "Inclure les dossiers eux-mêmes": the folders the batch reaches are dated too (see
    // DatesFolders).
    bool Folders = false;
};

// Whether the batch of `request` dates the folders it reaches besides its files: asked, and an
// operation whose date does not come from inside a file or its name (a folder has neither).
bool DatesFolders(const BatchRequest& request);

// The batch's name in the journal and in the undo list: "Décaler les dates (+1 h)".
std::wstring OperationName(const BatchRequest& request);
// The name of the undo of the batch named `operation`.
std::wstring UndoName(const std::wstring& operation);
