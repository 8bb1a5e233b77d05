#include "ConfReader.h"

#include "Attributes.h"
#include "FileBytes.h"
#include "NumberText.h"
#include "SectionRules.h"
#include "Sha256.h"
#include "TextEncoding.h"
#include "TreeAllowance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <pugixml.hpp>

namespace velto {
namespace {

// A cen command is valid when its leading number lies in 99..9999 and it has at least four characters
// ("0099" is valid, "100" is not).
bool IsValidCenCommand(std::string_view command) {
    const double value = LeadingNumber(command);
    return value >= 99 && value <= 9999 && CountCharacters(command) >= 4;
}

bool EqualsPullIgnoringCase(std::string_view text) {
    constexpr std::string_view pull = "pull";
    if (text.size() != pull.size())
        return false;
    for (std::size_t i = 0; i < pull.size(); ++i) {
        const char lower =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (lower != pull[i])
            return false;
    }
    return true;
}

// A rounded number when it fits 0..255.
std::optional<std::uint8_t> AsByte(std::optional<double> value) {
    const auto rounded = value ? RoundHalfEven(*value) : std::nullopt;
    if (!rounded || *rounded < 0 || *rounded > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(*rounded);
}

class SectionReader {
public:
    SectionReader(ConfigModel& model, const NoticeSink& sink, bool plainText)
        : model_(model), sink_(sink), plainText_(plainText) {}

    // Reads every section; false when a stop ended the reading.
    bool ReadAll(const pugi::xml_document& document) {
        for (const SectionRule& rule : kSections) {
            pugi::xpath_node_set elements = document.select_nodes(rule.query);
            elements.sort();
            for (const pugi::xpath_node& element : elements) {
                if (!ReadElement(rule, element.node()))
                    return false;
            }
        }
        return true;
    }

private:
    enum Outcome : bool { Stopped = false, GoOn = true };

    // One element as the rules see it: its section and the attributes they look at.
    struct Element {
        const SectionRule& rule;
        Attributes attributes;

        std::string_view keyText() const { return attributes[rule.keyAttribute]; }
        bool has(Attr which) const { return attributes.has(which); }
        std::string_view operator[](Attr which) const { return attributes[which]; }
    };

    void Report(NoticeKind kind, ReaderMessage message, const Element& element) {
        if (!sink_)
            return;
        Notice notice;
        notice.kind = kind;
        notice.section = element.rule.element;
        notice.message = message;
        notice.keyText = element.keyText();
        notice.name = element[Attr::name];
        sink_(notice);
    }

    Outcome Stop(const Element& element) {
        Report(NoticeKind::Stop, ReaderMessage::BadParameters, element);
        return Stopped;
    }

    Outcome Invalid(const Element& element, ReaderMessage message) {
        Report(NoticeKind::Invalid, message, element);
        return GoOn;
    }

    Outcome Duplicate(const Element& element) {
        Report(NoticeKind::Duplicate, element.rule.duplicate, element);
        return GoOn;
    }

    Outcome ReadElement(const SectionRule& rule, const pugi::xml_node& node) {
        const Element element{rule, Attributes(node, plainText_, decoded_)};
        const auto key = WholeNumber(element.keyText());
        if (!key)
            return Stop(element);
        if (OutOfRange(rule, *key))
            return Invalid(element, rule.invalid);
        const auto slot = RoundHalfEven(*key);
        if (!slot || *slot < 0 || *slot > rule.lastSlot)
            return Stop(element);
        const int index = static_cast<int>(*slot);

        switch (rule.section) {
        case Section::Device:
            return ReadDevice(element, index);
        case Section::Camera:
            return ReadCamera(element, index);
        case Section::Mh200:
            return ReadMh200(element, index);
        default:
            break;
        }
        if (!rule.takenBy(model_, index).empty())
            return Duplicate(element);
        rule.store(model_, index, element.attributes);
        return GoOn;
    }

    // Each field is written as soon as it is read, so a device that stops the reading keeps what came
    // before the value that stopped it.
    Outcome ReadDevice(const Element& element, int slot) {
        DeviceRecord& device = model_.DeviceTable[slot];
        if (!element.rule.takenBy(model_, slot).empty()) {
            Duplicate(element);
            return NextDevicePosition(element);
        }
        if (position_ > 255)
            return Stop(element);
        device.inUse = static_cast<std::uint8_t>(position_);

        if (!element.has(Attr::name))
            return Stop(element);
        device.name = element[Attr::name];
        if (!element.has(Attr::type))
            return Stop(element);
        device.typeCode = element[Attr::type];
        if (!element.has(Attr::group))
            return Stop(element);
        const auto group = AsByte(LeadingNumber(element[Attr::group]));
        if (!group)
            return Stop(element);
        device.group = *group;

        if (EqualsPullIgnoringCase(element[Attr::pull]))
            device.pull = true;
        const std::string_view dimmer = element[Attr::dimmer];
        if (!dimmer.empty()) {
            const auto level = AsByte(WholeNumber(dimmer));
            if (!level)
                return Stop(element);
            device.dimmer = *level;
        }
        return NextDevicePosition(element);
    }

    // The position is a 16-bit signed count: one past 32767 cannot be held and ends the reading like
    // any other value that cannot be read.
    Outcome NextDevicePosition(const Element& element) {
        if (position_ == std::numeric_limits<std::int16_t>::max())
            return Stop(element);
        ++position_;
        return GoOn;
    }

    // The name is stored first, then the address; a later check does not undo an earlier write.
    Outcome ReadCamera(const Element& element, int slot) {
        CameraRecord& camera = model_.CameraTable[slot];
        if (!element.rule.takenBy(model_, slot).empty())
            return Duplicate(element);
        camera.name = element[Attr::name];
        if (!element.has(Attr::type) || !element.has(Attr::adr))
            return Stop(element);
        const std::string_view riser = element[Attr::type];
        const std::string_view address = element[Attr::adr];
        if (address.empty())
            return Invalid(element, element.rule.invalid);
        const double number = LeadingNumber(address);
        if (!std::isfinite(number)) // an address too large to hold cannot be read
            return Stop(element);
        camera.address = ShortestDecimal(number);
        if (number < 4000 || number > 5000)
            return Invalid(element, element.rule.invalid);
        if (riser != "1" && riser != "2")
            return Invalid(element, element.rule.invalid);
        if (riser == "2")
            camera.address += kLocalRiserMark;
        return GoOn;
    }

    // A second element with the same number keeps the first name but replaces the cen commands when
    // its own are valid.
    Outcome ReadMh200(const Element& element, int slot) {
        Mh200Record& scenario = model_.Mh200ScenarioTable[slot];
        if (element.rule.takenBy(model_, slot).empty()) {
            if (!element.has(Attr::name))
                return Stop(element);
            scenario.name = element[Attr::name];
        } else {
            Duplicate(element);
        }
        if (!element.has(Attr::cenact))
            return Stop(element);
        const std::string_view activation = element[Attr::cenact];
        if (!IsValidCenCommand(activation))
            return Invalid(element, ReaderMessage::CenActInvalid);
        scenario.cenActivation = activation;
        if (!element.has(Attr::cendis))
            return Stop(element);
        const std::string_view deactivation = element[Attr::cendis];
        if (!IsValidCenCommand(deactivation))
            return Invalid(element, ReaderMessage::CenDisInvalid);
        scenario.cenDeactivation = deactivation;
        return GoOn;
    }

    ConfigModel& model_;
    const NoticeSink& sink_;
    const bool plainText_;
    DecodedValues decoded_;
    int position_ = 1;
};

// ---------------------------------------------------------------------------------------------------

void ReportFileFailure(const NoticeSink& sink, NoticeKind kind, std::string reason) {
    if (!sink)
        return;
    Notice notice;
    notice.kind = kind;
    notice.reason = std::move(reason);
    sink(notice);
}

// Where the parser stopped, told from the text as read (the parser changes the bytes it has passed):
// the line, and the column counted in characters of UTF-8, any byte that is not one counting as one.
void ReportParseFailure(const NoticeSink& sink, std::string_view text, const pugi::xml_parse_result& parsed) {
    if (!sink)
        return;
    Notice notice;
    notice.kind = NoticeKind::ParseFailure;
    notice.reason = std::string(parsed.description()) + " at offset " + std::to_string(parsed.offset);
    notice.offset = parsed.offset;
    const std::string_view before = text.substr(0, static_cast<std::size_t>(parsed.offset));
    const std::size_t lineStart = before.rfind('\n') + 1; // 0 on the first line
    notice.line = static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
    notice.column =
        1 + static_cast<int>(std::count_if(before.begin() + long(lineStart), before.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }));
    sink(notice);
}

void ReadVersion(const pugi::xml_document& document, std::string& fileVersion, const NoticeSink& sink) {
    const pugi::xml_node version = document.select_node("//version").node();
    if (const pugi::xml_attribute number = version.attribute("number"))
        fileVersion = AttributeValueToUtf8(number.value());
    if (fileVersion != kCurrentFileVersion && sink) {
        Notice notice;
        notice.kind = NoticeKind::OldVersion;
        notice.message = ReaderMessage::OldVersion;
        sink(notice);
    }
}

// The text the parser reads: the bytes as they are, or as UTF-8 when they are UTF-16.
std::string ParsedText(std::string bytes) {
    return HasUtf16ByteOrderMark(bytes) ? Utf16ToUtf8(bytes) : std::move(bytes);
}

// Parses the text in place and reads it into the tables. No copy of the text is kept while it is
// parsed: should the parse fail, bytesAgain() gives the bytes once more, to place the failure in.
template <typename BytesAgain>
bool ParseAndRead(std::string text, ConfigModel& model, std::string& fileVersion, const NoticeSink& sink,
                  BytesAgain bytesAgain) {
    const unsigned options = (pugi::parse_default | pugi::parse_embed_pcdata) & ~pugi::parse_escapes;
    const bool plainText = IsAsciiWithoutReferences(text);
    pugi::xml_document document;
    pugi::xml_parse_result parsed;
    {
        TreeAllowance allowance(text.size());
        parsed = document.load_buffer_inplace(text.data(), text.size(), options, pugi::encoding_utf8);
    }
    if (!parsed) {
        if (sink) {
            document.reset();
            const std::string asRead = ParsedText(bytesAgain());
            // A file changed in the meantime: the text as the parser left it is near enough.
            ReportParseFailure(sink, asRead.size() == text.size() ? asRead : text, parsed);
        }
        return false;
    }
    ReadVersion(document, fileVersion, sink);
    return SectionReader(model, sink, plainText).ReadAll(document);
}

// Reads into a fresh configuration, which replaces model however the reading ends: read to its end,
// stopped, or the file refused. Only an exception (running out of memory, above all) leaves model and
// fileVersion as they were.
template <typename Read> bool ReadIntoFresh(ConfigModel& model, std::string& fileVersion, Read read) {
    // On the stack, and not zeroed first since every field has its own initial value. A heap block of
    // the tables' size, taken and freed at every read, makes the allocator hand memory back to the
    // system and fault it in again each time, which costs more than the reading itself.
    ConfigModel fresh;
    std::string version;
    const bool completed = read(fresh, version);
    model = std::move(fresh);
    fileVersion = std::move(version);
    return completed;
}

} // namespace

bool LoadConfigFile(const std::string& path, ConfigModel& model, std::string& fileVersion,
                    const NoticeSink& sink, std::string* fingerprint) {
    return ReadIntoFresh(model, fileVersion, [&](ConfigModel& fresh, std::string& version) {
        std::string bytes;
        std::string error;
        if (!ReadRegularFile(path, kMaxConfigFileSize, bytes, error)) {
            ReportFileFailure(sink, NoticeKind::CannotRead, std::move(error));
            return false;
        }
        if (fingerprint)
            *fingerprint = Sha256Hex(bytes);
        return ParseAndRead(ParsedText(std::move(bytes)), fresh, version, sink, [&] {
            ReadRegularFile(path, kMaxConfigFileSize, bytes, error);
            return std::move(bytes);
        });
    });
}

bool LoadConfigBytes(std::string_view bytes, ConfigModel& model, std::string& fileVersion,
                     const NoticeSink& sink) {
    return ReadIntoFresh(model, fileVersion, [&](ConfigModel& fresh, std::string& version) {
        return ParseAndRead(ParsedText(std::string(bytes)), fresh, version, sink,
                            [&] { return std::string(bytes); });
    });
}

} // namespace velto
