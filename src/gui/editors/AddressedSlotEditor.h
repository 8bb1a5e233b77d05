#pragma once

#include "GridView.h"
#include "InputFilters.h"
#include "NumberText.h"
#include "RecordEditor.h"

#include <optional>
#include <span>
#include <utility>

namespace velto {

// Tabs 3 and 4: a name and an address kept in the slot of a number chosen from a list, and a second
// list (the camera's riser, the scenario's bus) whose choice the stored address carries after its
// digits. The grid shows the name in column 0, the address in column 1 and the number in column 2.
template <typename Record> class AddressedSlotEditor : public RecordEditor {
public:
    struct Fields {
        QLineEdit* name;
        QComboBox* number;
        QComboBox* riserOrBus; // position 0 adds nothing to the address
        QLineEdit* address;
    };

protected:
    AddressedSlotEditor(EditorHost& host, EditorRoles roles, Fields fields, std::span<Record> table,
                        int addressDigits)
        : RecordEditor(host, std::move(roles)), fields_(fields), table_(table) {
        AcceptDigitsOnly(fields_.address, addressDigits);
    }

    // The address as stored for the digits typed and a choice of the second list.
    virtual std::string storedAddress(const std::string& typed, int choice) const = 0;
    // The address for the address box and the choice of the second list, from a grid row.
    virtual std::pair<QString, int> shownAddress(int row) const = 0;
    // What the rule finds wrong with an address typed in full; Why::None when it is in range.
    virtual Why addressFault(long long value) const = 0;
    // The address New proposes, when one is free.
    virtual std::optional<int> freeAddress() const = 0;

    // After the name: the number, the riser or bus, then the address.
    Why fieldsFault() const override {
        if (fields_.number->currentIndex() < 0)
            return Why::Number;
        if (fields_.riserOrBus->currentIndex() < 0)
            return Why::Bus;
        const QString address = fields_.address->text();
        return address.isEmpty() ? Why::Address : addressFault(LeadingDigitsValue(address.toStdString()));
    }
    void propose() override {
        if (const std::optional<int> address = freeAddress())
            fields_.address->setText(QString::number(*address));
    }
    QString nameAt(int key) const override { return QString::fromStdString(table_[key].name); }

    QString loadRow(int row) override {
        SetWholeText(fields_.name, roles_.grid->cell(row, 0));
        const QString number = roles_.grid->cell(row, 2);
        ChooseComboKey(fields_.number, int(LeadingNumber(number.toStdString())));
        const auto [address, choice] = shownAddress(row);
        SetWholeText(fields_.address, address);
        fields_.riserOrBus->setCurrentIndex(choice);
        return number;
    }
    int keyInEditor() const override { return ComboKey(fields_.number); }
    bool slotTaken(int key) const override { return InUse(table_[key]); }
    void store(int key) override {
        table_[key].name = WholeText(fields_.name).toStdString();
        table_[key].address =
            storedAddress(WholeText(fields_.address).toStdString(), fields_.riserOrBus->currentIndex());
    }
    void freeSlot(int key) override { FreeSlotOf(table_, key); }

    const Fields fields_;

private:
    const std::span<Record> table_;
};

} // namespace velto
