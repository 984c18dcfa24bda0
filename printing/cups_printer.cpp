#include "printing/cups_printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace printing {
namespace {

constexpr int kResolution = 1200;  // dots per inch of the PDF's coordinates
// Neither the queue nor the system names a paper size the document can be made for.
constexpr const char* kNoPaperSize = "找不到可用的纸张尺寸";
constexpr const char* kNoDocument = "无法生成打印文档";

// An IPP answer in the successful range (0x0000 to 0x00ff).
bool succeeded(ipp_status_t status) {
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

[[noreturn]] void failWithCupsReason() {
    throwPrinterError(cupsLastErrorString());
}

// CUPS gives sizes and margins in hundredths of a millimetre.
QPageLayout pageLayoutOf(const cups_size_t& media) {
    const QPageSize size(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter,
                         QString::fromUtf8(media.media), QPageSize::ExactMatch);
    const QMarginsF margins(media.left / 100.0, media.top / 100.0, media.right / 100.0,
                            media.bottom / 100.0);
    return QPageLayout(size, QPageLayout::Portrait, margins, QPageLayout::Millimeter);
}

// A media name in any of the forms CUPS knows: "iso_a4_210x297mm", "iso-a4", "A4";
// paper names as the system's paper configuration writes them ("a4", "letter")
// are the last form with a capital.
const pwg_media_t* mediaNamed(std::string name) {
    if (name.empty()) {
        return nullptr;
    }
    const pwg_media_t* size = pwgMediaForPWG(name.c_str());
    if (!size) {
        size = pwgMediaForLegacy(name.c_str());
    }
    if (!size) {
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        size = pwgMediaForPPD(name.c_str());
    }
    return size;
}

// The paper size the system prints on by default (PAPERSIZE, then
// /etc/papersize); A4, the paper of the shops this is for, when neither says.
std::string systemPaperSize() {
    if (const char* variable = std::getenv("PAPERSIZE"); variable && *variable) {
        return variable;
    }
    std::ifstream file("/etc/papersize");
    std::string line;
    while (std::getline(file, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line[start] != '#') {
            return line.substr(start, line.find_first_of(" \t", start) - start);
        }
    }
    return "A4";
}

}  // namespace

CupsPrinter::CupsPrinter() = default;
CupsPrinter::~CupsPrinter() = default;

QPaintDevice& CupsPrinter::open() {
    dest_.reset(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    if (!dest_) {
        failWithCupsReason();  // no scheduler, or no default destination
    }
    // The scheduler that holds the queue, as lp reaches it; a connection to the
    // queue's own address could be another scheduler, or none.
    http_.reset(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             30000, nullptr));
    if (!http_) {
        failWithCupsReason();
    }
    info_.reset(cupsCopyDestInfo(http_.get(), dest_.get()));
    if (!info_) {
        failWithCupsReason();  // the queue went away
    }
    // Failures of our own are told in our own words: CUPS' last answer was
    // most likely a success.
    cups_size_t media{};
    if (!defaultMedia(media)) {
        throwPrinterError(kNoPaperSize);
    }
    writer_.reset();
    pdf_.close();
    pdf_.setData(QByteArray());
    if (!pdf_.open(QIODevice::WriteOnly)) {
        throwPrinterError(kNoDocument);
    }
    writer_ = std::make_unique<QPdfWriter>(&pdf_);
    writer_->setResolution(kResolution);
    writer_->setTitle(QStringLiteral("Quillmere"));
    writer_->setCreator(QStringLiteral("Quillmere"));
    if (!writer_->setPageLayout(pageLayoutOf(media))) {
        throwPrinterError(kNoPaperSize);
    }
    return *writer_;
}

double CupsPrinter::pageHeight() const {
    return printableHeight(*writer_);
}

bool CupsPrinter::newPage() {
    return writer_->newPage();
}

bool CupsPrinter::defaultMedia(cups_size_t& media) {
    if (cupsGetDestMediaDefault(http_.get(), dest_.get(), info_.get(), CUPS_MEDIA_FLAGS_DEFAULT,
                                &media)) {
        return media.width > 0 && media.length > 0;
    }
    // A queue without a driver (a raw queue) lists no media: the document goes to
    // the printer as it is, so it is made for the size the queue's options name,
    // else the system's paper size, without margins.
    std::string name;
    if (const char* option = cupsGetOption("media", dest_->num_options, dest_->options)) {
        name = option;
    } else if (ipp_attribute_t* fallback =
                   cupsFindDestDefault(http_.get(), dest_.get(), info_.get(), CUPS_MEDIA)) {
        const char* value = ippGetString(fallback, 0, nullptr);
        name = value ? value : "";
    }
    if (name.empty()) {
        name = systemPaperSize();
    }
    const pwg_media_t* size = mediaNamed(name);
    if (!size || size->width <= 0 || size->length <= 0) {
        return false;
    }
    media = cups_size_t{};
    std::snprintf(media.media, sizeof media.media, "%s", size->pwg);
    media.width = size->width;
    media.length = size->length;
    return true;
}

void CupsPrinter::finish() {
    pdf_.close();
    submit(pdf_.data());
}

void CupsPrinter::submit(const QByteArray& document) {
    http_t* http = http_.get();
    cups_dest_t* dest = dest_.get();
    cups_dinfo_t* info = info_.get();
    int job = 0;
    if (!succeeded(cupsCreateDestJob(http, dest, info, &job, "Quillmere", 0, nullptr)) ||
        job <= 0) {
        failWithCupsReason();  // e.g. a queue that does not accept jobs
    }
    if (cupsStartDestDocument(http, dest, info, job, "Quillmere", CUPS_FORMAT_PDF, 0, nullptr, 1) !=
            HTTP_STATUS_CONTINUE ||
        cupsWriteRequestData(http, document.constData(), static_cast<size_t>(document.size())) !=
            HTTP_STATUS_CONTINUE ||
        !succeeded(cupsFinishDestDocument(http, dest, info))) {
        cancelAndFail(job);
    }
}

void CupsPrinter::cancelAndFail(int job) {
    // The failed request leaves the connection in an unknown state: cancel over a
    // fresh one, and report the reason of the failure, not of the cancel.
    const std::string reason = cupsLastErrorString() ? cupsLastErrorString() : "";
    cupsCancelJob2(CUPS_HTTP_DEFAULT, dest_->name, job, 0);
    throwPrinterError(reason.c_str());
}

}  // namespace printing
