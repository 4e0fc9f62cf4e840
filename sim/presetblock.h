#pragma once

#include "sim/simblock.h"

#include <array>

class SimModel;

// The unit's 32 preset slots (op 3, module 32). A slot holds a name and an
// image of every block's parameters (SimModel::presetState()): saving
// snapshots the unit, recalling restores it.
//
// Presets travel as records: a 17-byte header (a non-zero first byte when the
// slot holds a preset, then the 16-byte name) followed by the state image,
// padded with zeros to the size of this unit's image, so that all records of
// an export of every slot have the same size and an import can expect an
// exact size. Exports and imports go in chunks of at most 1024 bytes; an
// import is applied when its last byte has arrived, all at once.
//
// Slot 0 starts as "Boot Default", holding the settings the unit started with.
class PresetBlock final : public SimBlock
{
public:
    static constexpr int Slots = 32;
    static constexpr int HeaderSize = 17;
    static constexpr int NameBytes = 16;
    static constexpr int MaxChunk = 1024;

    explicit PresetBlock(SimModel &model);

    void handle(const Proto::Frame &request, QVector<SimAnswer> &out) override;
    void reset() override;

    bool holdsPreset(int slot) const;
    QByteArray name(int slot) const;
    QByteArray state(int slot) const;
    quint8 current() const { return m_current; }
    // The size of one record of this unit.
    int recordSize() const;

private:
    struct Slot
    {
        bool exists = false;
        QByteArray name;
        QByteArray state;
    };

    void captureBootPreset();
    QByteArray listAnswer() const;
    QByteArray record(int slot, int size) const;
    void storeRecord(int slot, const QByteArray &record);
    bool recall(int slot);
    void importData(const QByteArray &payload, QVector<SimAnswer> &out);

    SimModel &m_model;
    std::array<Slot, Slots> m_slots;
    quint8 m_current = 0;
    bool m_bootCaptured = false;
    QByteArray m_export;
    QByteArray m_import;
    int m_importSlot = -1; // -1: none, Slots: all
};
