// The client address labels as a plain run, apart from their window: who gets labels (a
// "Self Addressed" entry for the lender and the chosen clients, in client-code order), how many
// labels each gets, what each label says, and the layout of the whole run through the label
// printer. The window (reportlabelsclient.h) only feeds it the user's choices.
#pragma once

#include "print/labelprinter.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace duebell {

class TMorvaneClient;
class TMorvaneConfiguration;
class TPqCanvas;
class TPqValueRect;

// The label styles by template; entry 0 (the hand-set template) is not offered.
inline constexpr std::array<const char*, 20> LabelStyleNames = {
    "",
    "L7159 Address",
    "L7160 Address",
    "L7161 Address",
    "L7162 Address",
    "L7163 Address",
    "L7164 Address",
    "L7165 Parcel",
    "L7166 Parcel",
    "L7167 Shipping",
    "L7168 Shipping",
    "L7169 Parcel",
    "L7170 Eurofolio",
    "L7171 LeverArch",
    "L7172 RingBinder",
    "L7173 Shipping",
    "L7263 Address",
    "J8660 Diskette",
    "Avery 5160 Address",
    "Avery 8160 Address",
};

// The client code of the lender's own entry: it sorts before every seven-digit code.
inline constexpr const char* SelfAddressedClientCode = "!0000";

class TClientLabelRun {
public:
    // The lender's own entry from the configuration: the company as the surname, the lender's
    // address with the unstructured text in place of the street name.
    explicit TClientLabelRun(const TMorvaneConfiguration& configuration);
    ~TClientLabelRun();
    TClientLabelRun(const TClientLabelRun&) = delete;
    TClientLabelRun& operator=(const TClientLabelRun&) = delete;

    // Lives as long as the run; never part of the loan book.
    TMorvaneClient& SelfAddressed() const { return *selfAddressed_; }

    // The recipients, kept in client-code order (not owned).
    void SetRecipients(std::vector<TMorvaneClient*> clients);
    const std::vector<TMorvaneClient*>& Recipients() const { return recipients_; }

    // Labels per recipient from the count field's value: a whole number, at least 1.
    static std::int64_t CopiesFrom(double value);
    void SetCopies(std::int64_t copies) { copies_ = copies < 1 ? 1 : copies; }
    std::int64_t Copies() const { return copies_; }
    // Copies times recipients.
    std::int64_t LabelCount() const;

    // The recipient of label number labelNum (from 1), or none beyond the run.
    TMorvaneClient* RecipientOf(std::int64_t labelNum) const;
    // Its four lines, 5 mm in from the label's left and 5, 13, 21 and 29 mm down, each drawn
    // smaller where it would pass the label's right edge, the next line or the bottom edge.
    void DrawLabel(int labelNum, TPqValueRect& rect, TPqCanvas& canvas) const;

    // Lays the run out on the printer's preview (emptied first) in the style, page 1 shown.
    // No recipients leave it empty. A run of more pages than the printer lays out at once is
    // refused: the preview stays empty and the message says why.
    void Layout(TPqLabelPrinter& printer, TPqLabelTemplate style);

private:
    std::unique_ptr<TMorvaneClient> selfAddressed_;
    std::vector<TMorvaneClient*> recipients_;
    std::int64_t copies_ = 1;
};

} // namespace duebell
