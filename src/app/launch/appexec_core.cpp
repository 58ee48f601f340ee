#include "app/launch/appexec_core.h"

#include <array>

namespace appexec {

namespace {

struct MessageRow {
    std::int32_t code; // the last row serves every code of 32 and above
    const char* english;
    const char* french;
    const char* italian;
};

// clang-format off
constexpr std::array<MessageRow, 17> kMessageRows = {{
    {0,
     "System was out of memory, executable file was corrupt, or relocations were invalid",
     "Système dépassé en capacité mémoire, exécutable corrompu, ou réallocations invalides",
     "Il sistema non dispone di memoria sufficiente, il file eseguibile e' danneggiato, od i riferimenti sono sbagliati"},
    {2,
     "File was not found",
     "Fichier non trouvé",
     "File non trovato"},
    {3,
     "Path was not found",
     "Chemin non trouvé",
     "Path non trovato"},
    {5,
     "Attempt was made to dynamically link to a task, or there was a sharing or network-protection error",
     "Tentative de liaison dynamique à une tâche, ou erreur de partage, ou erreur de protection réseau",
     "E' stato fatto un tentativo per collegarsi dinamicamente all'applicazione, o c'e' stato un errore di condivisione o di protezione della rete"},
    {6,
     "Library required separate data segments for each task",
     "Librairie nécessitant des segments de données séparés pour chaque tâche",
     "La libreria richiede segmenti di dati differenti per ogni copia dell'applicazione"},
    {8,
     "There was insufficient memory to start the application",
     "Mémoire insuffisante pour démarrer l'application",
     "Non c'e' abbastanza memoria per lanciare l'applicazione"},
    {10,
     "Windows version was incorrect",
     "Version de Windows incorrecte",
     "Versione errata di Windows"},
    {11,
     "Executable file was invalid. Either it was not a Windows application or there was an error in the .EXE image",
     "Exécutable invalide, application non Windows, ou erreur dans l'image du fichier .EXE",
     "File eseguibile invalido. Potrebbe non essere un'applicazione per Windows o c'e' un errore nell'immagine .EXE "},
    {12,
     "Application was designed for a different operating system",
     "Application écrite pour un système d'exploitation différent",
     "Applicazione destinata ad un sistema operativo differente"},
    {13,
     "Application was designed for MS-DOS 4.0",
     "Application écrite pour MS-DOS 4.0",
     "Applicazione per MS-DOS 4.0"},
    {14,
     "Type of executable file was unknown",
     "Type d'exécutable inconnu",
     "File eseguibile di tipo sconosciuto"},
    {15,
     "Attempt was made to load a real-mode application (developed for an earlier version of Windows)",
     "Tentative de chargement d'une application en mode réel (développée pour une version antérieure de Windows)",
     "E' stato fatto un tentativo per caricare l'applicazione di modalita' reale (sviluppata per le precedenti versioni di Windows)"},
    {16,
     "Attempt to load second instance of an executable containing multiple data segments not marked read-only",
     "Tentative de chargement d'une seconde instance d'un exécutable contenant plusieurs segments de données non marqués en lecture seule",
     "E' stato fatto un tentativo per caricare una seconda volta un eseguibile che contiene segmenti di dati multipli non marcati Sola Lettura"},
    {19,
     "Attempt was made to load a compressed executable file. The file must be decompressed before it can be loaded",
     "Tentative de chargement d'un exécutable compressé. Le fichier doit être décompressé avant de pouvoir être chargé",
     "E' stato fatto un tentativo per caricare un file eseguibile compresso. Il file deve essere decompresso prima di poter essere caricato"},
    {20,
     "Dynamic-link library (DLL) file was invalid. One of the DLLs required to run this application was corrupt",
     "Fichier Dynamic-link library (DLL) invalide. Une des DLLs requises pour exécuter cette application est corrompue",
     "La libreria DLL non e' valida. Una delle librerie DLL richieste dall'applicazione per poter girare e' danneggiata"},
    {21,
     "Application requires 32-bit extensions",
     "Application nécessitant des extensions 32-bit",
     "L'Applicazione richiede l'installazione delle estensioni a 32-Bit"},
    {32,
     "No error",
     "Pas d'erreur",
     "Nessun errore"},
}};
// clang-format on

using MessageTable = std::array<const char*, kMessageRows.size()>;

constexpr MessageTable TableOf(const char* MessageRow::*language) {
    MessageTable table{};
    for (std::size_t row = 0; row < kMessageRows.size(); ++row)
        table[row] = kMessageRows[row].*language;
    return table;
}

// One table for the whole program: every launcher reports through it, in the language last chosen.
// Constant-initialised, so a launcher made during static initialisation cannot find it empty.
constinit MessageTable gMessageTable = TableOf(&MessageRow::french);

} // namespace

void LoadMessageTable(TLangType language) {
    switch (language) {
    case TLangType::ltFrench:
        gMessageTable = TableOf(&MessageRow::french);
        break;
    case TLangType::ltEnglish:
        gMessageTable = TableOf(&MessageRow::english);
        break;
    case TLangType::ltItalian:
        gMessageTable = TableOf(&MessageRow::italian);
        break;
    }
}

std::string ErrorText(std::int32_t code) {
    if (code < 0)
        return {};
    const std::int32_t rowCode = code >= 32 ? 32 : code;
    for (std::size_t row = 0; row < kMessageRows.size(); ++row)
        if (kMessageRows[row].code == rowCode)
            return gMessageTable[row];
    return {};
}

std::string NormaliseExePath(std::string_view path) {
    std::string stored(path);
    const bool isDriveRoot =
        stored.size() == 3 && stored[1] == ':' && stored[2] == '\\' &&
        ((stored[0] >= 'A' && stored[0] <= 'Z') || (stored[0] >= 'a' && stored[0] <= 'z'));
    if (!stored.empty() && stored.back() == '\\' && stored != "\\" && !isDriveRoot)
        stored.pop_back();
    return stored;
}

std::string BuildCommandLine(std::string_view exeName, const TStringList& params) {
    std::string line(exeName);
    for (const std::string& param : params.Lines()) {
        line.push_back(' ');
        line.append(param);
    }
    if (line.size() > kMaxCommandLineLength)
        throw EAppExecWinExec(SCommandLineTooLong);
    return line;
}

std::uint32_t CreationFlags(TPriorClass priority) {
    constexpr std::uint32_t kCreateNewConsole = 16;
    switch (priority) {
    case TPriorClass::pcHigh:
        return 128 + kCreateNewConsole;
    case TPriorClass::pcIdle:
        return 64 + kCreateNewConsole;
    case TPriorClass::pcNormal:
        return 32 + kCreateNewConsole;
    case TPriorClass::pcRealtime:
        return 256 + kCreateNewConsole;
    }
    return 32 + kCreateNewConsole;
}

int ShowCommand(TWindowState state) {
    switch (state) {
    case TWindowState::wsNormal:
        return 1;
    case TWindowState::wsMinimized:
        return 2;
    case TWindowState::wsMaximized:
        return 3;
    }
    return 1;
}

} // namespace appexec
