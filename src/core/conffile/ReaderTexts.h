#pragma once

#include <array>
#include <string_view>

// The file reader's messages in both languages. In the duplicate messages the two characters
// backslash and "n" stand for the key of the offending record.
namespace velto {

enum class ReaderMessage {
    DeviceDuplicate,
    GroupDuplicate,
    AuxDuplicate,
    ProbeDuplicate,
    CameraDuplicate,
    F420Duplicate,
    Mh200Duplicate,
    LoadDuplicate,
    GroupInvalid,
    AuxInvalid,
    ProbeInvalid,
    CameraInvalid,
    F420Invalid,
    Mh200Invalid,
    CenActInvalid,
    CenDisInvalid,
    LoadInvalid,
    BadParameters,
    OldVersion,
};

struct ReaderText {
    ReaderMessage message;
    std::string_view entry; // the entry's name among the interface texts
    std::string_view italian;
    std::string_view english;
};

inline constexpr std::array<ReaderText, 19> kReaderTexts{{
    {ReaderMessage::DeviceDuplicate, "msgDeviceDuplicate", "Attuatore \\n duplicato",
     "Actuator \\n duplicate"},
    {ReaderMessage::GroupDuplicate, "msgGroupDuplicate", "Gruppo \\n duplicato", "Group \\n duplicate"},
    {ReaderMessage::AuxDuplicate, "msgAuxDuplicate", "Ausiliario \\n duplicato", "Auxilliary \\n duplicate"},
    {ReaderMessage::ProbeDuplicate, "msgProbeDuplicate", "Sonda \\n temperatura duplicata",
     "Probe \\n duplicate"},
    {ReaderMessage::CameraDuplicate, "msgCameraDuplicate", "Telecamera \\n duplicata",
     "Camera \\n duplicate"},
    {ReaderMessage::F420Duplicate, "msgF420Duplicate", "Scenario \\n F420 duplicato",
     "F420 scenario \\n duplicate"},
    {ReaderMessage::Mh200Duplicate, "msgMh200Duplicate", "Scenario \\n MH200 duplicato",
     "Mh200 scenario \\n duplicate"},
    {ReaderMessage::LoadDuplicate, "msgLoadDuplicate", "Carico \\n duplicato", "Load \\n duplicate"},
    {ReaderMessage::GroupInvalid, "msgGroupInvalid", "Gruppo non valido", "Invalid group"},
    {ReaderMessage::AuxInvalid, "msgAuxInvalid", "Ausiliario non valido", "Auxilliary invalid"},
    {ReaderMessage::ProbeInvalid, "msgProbeInvalid", "Sonda temperatura non valida", "Invalid probe"},
    {ReaderMessage::CameraInvalid, "msgCameraInvalid", "Telecamera non valida", "Invalid camera"},
    {ReaderMessage::F420Invalid, "msgF420Invalid", "Scenario F420 non valido", "Invalid F420 scenario"},
    {ReaderMessage::Mh200Invalid, "msgMh200Invalid", "Scenario Mh200 non valido", "Invalid Mh200 scenario"},
    {ReaderMessage::CenActInvalid, "msgCenActInvalid", "Comando attivazione cen non valido",
     "Invalid cen comand activation"},
    {ReaderMessage::CenDisInvalid, "msgCenDisInvalid", "Comando disattivazione cen non valido",
     "Invalid cen comand disactivation"},
    {ReaderMessage::LoadInvalid, "msgLoadInvalid", "Carico non valido", "Load invalid"},
    {ReaderMessage::BadParameters, "msgBadParameters", "Parametri non validi sul file conf.xml",
     "Invalid parameters in the file conf.xml"},
    {ReaderMessage::OldVersion, "msgOldVersion", "Versione obsoleta del file Xml", "Old version of file Xml"},
}};

inline std::string_view ReaderTextFor(ReaderMessage message, bool italian) {
    const ReaderText& text = kReaderTexts[static_cast<std::size_t>(message)];
    return italian ? text.italian : text.english;
}

} // namespace velto
