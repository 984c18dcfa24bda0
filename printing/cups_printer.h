#pragma once

#include <cups/cups.h>

#include <QBuffer>
#include <QByteArray>
#include <memory>

#include "printing/paint_target.h"

class QPdfWriter;

namespace printing {

// Prints on the default CUPS destination, found as lp finds it: the user's
// lpoptions default, PRINTER or LPDEST, then the scheduler's default (the
// scheduler itself is the one CUPS_SERVER names). The document is a PDF made for
// the destination's default media and margins and handed to the scheduler
// through the CUPS API, whose every answer is checked: only a job id counts as
// printed, and a job that fails after it was created is cancelled.
class CupsPrinter : public PaintTarget {
  public:
    CupsPrinter();
    ~CupsPrinter() override;

    // Finds the destination and its media and makes the PDF writer; the printer
    // error with CUPS' reason when either is missing.
    QPaintDevice& open() override;
    double pageHeight() const override;
    bool newPage() override;
    // Submits the document; the printer error with CUPS' reason when the
    // scheduler does not take it whole. An abandoned document is never sent.
    void finish() override;

  private:
    struct DestDeleter {
        void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
    };
    struct InfoDeleter {
        void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
    };
    struct HttpDeleter {
        void operator()(http_t* http) const { httpClose(http); }
    };

    // The destination's default media with its margins; false when CUPS names none.
    bool defaultMedia(cups_size_t& media);
    void submit(const QByteArray& document);
    [[noreturn]] void cancelAndFail(int job);

    std::unique_ptr<cups_dest_t, DestDeleter> dest_;
    std::unique_ptr<http_t, HttpDeleter> http_;
    std::unique_ptr<cups_dinfo_t, InfoDeleter> info_;
    QBuffer pdf_;
    std::unique_ptr<QPdfWriter> writer_;  // writes into pdf_, so goes first
};

}  // namespace printing
