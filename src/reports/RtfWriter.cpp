#include "RtfWriter.h"

#include "MetafileWriter.h"
#include "RtfText.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>

namespace vitalog {
namespace {

constexpr std::size_t FileBufferSize = 1 << 16;
constexpr std::size_t HexChunk = 1 << 15; // picture bytes turned into text at a time

// The scale InsertPictureFitted gives a picture of w x h display pixels; 0 when refused.
std::int32_t FittedScale(std::int64_t w, std::int64_t h) {
    struct Step {
        std::int64_t below;
        std::int32_t scale;
    };
    for (const Step step :
         {Step{1000, 1000}, Step{2000, 500}, Step{3000, 250}, Step{4000, 125}, Step{5000, 75}})
        if (w < step.below && h < step.below)
            return step.scale;
    return 0;
}

} // namespace

RtfWriter::RtfWriter(ImageLoader loader, std::int32_t pixelsPerInchX, std::int32_t pixelsPerInchY)
    : loader_(std::move(loader)), pixelsPerInchX_(pixelsPerInchX), pixelsPerInchY_(pixelsPerInchY) {
}

RtfWriter::~RtfWriter() = default;

RtfResult RtfWriter::OpenDocument(const std::filesystem::path& file, std::string_view fonts,
                                  std::string_view colours) {
    file_.reset();
    current_.reset();
    document_ = {};
    section_ = {};
    paragraph_ = {};
    row_ = {};
    cell_ = {};
    const std::string fontTable = RtfFontTable(fonts);
    const std::string colourTable = RtfColourTable(colours);

    file_.reset(std::fopen(file.c_str(), "wb"));
    if (!file_)
        return RtfResult::RtfOpenError;
    if (!buffer_)
        buffer_ = std::make_unique<char[]>(FileBufferSize);
    std::setvbuf(file_.get(), buffer_.get(), _IOFBF, FileBufferSize);

    const bool header = Write(RtfHeader(fontTable, colourTable));
    const bool document = Write(RtfDocumentText(document_));
    Write(RtfSectionText(section_)); // not reported, as a later StartSection would be
    if (!document)
        return RtfResult::RtfDocumentFormatError;
    if (!header)
        return RtfResult::RtfHeaderError;
    return RtfResult::RtfSuccess;
}

RtfResult RtfWriter::CloseDocument() {
    current_.reset();
    if (!file_)
        return RtfResult::RtfCloseError;
    const bool written = Write("\n\\par}");
    const bool closed = std::fclose(file_.release()) == 0;
    return written && closed ? RtfResult::RtfSuccess : RtfResult::RtfCloseError;
}

RtfResult RtfWriter::StartSection() {
    section_.newSection = true;
    return Write(RtfSectionText(section_)) ? RtfResult::RtfSuccess
                                           : RtfResult::RtfSectionFormatError;
}

RtfResult RtfWriter::StartParagraph(std::string_view text, bool newParagraph) {
    paragraph_.text.assign(text);
    paragraph_.newParagraph = newParagraph;
    const bool written = paragraph_.tabText ? Write("\\tab " + RtfEscape(paragraph_.text))
                                            : Write(RtfParagraphText(paragraph_));
    paragraph_.text.clear();
    return written ? RtfResult::RtfSuccess : RtfResult::RtfParagraphFormatError;
}

RtfResult RtfWriter::StartTableRow() {
    return Write(RtfTableRowText(row_)) ? RtfResult::RtfSuccess : RtfResult::RtfTableError;
}

RtfResult RtfWriter::DefineTableCell(std::int32_t rightBoundary) {
    return Write(RtfTableCellText(cell_, rightBoundary)) ? RtfResult::RtfSuccess
                                                         : RtfResult::RtfTableError;
}

RtfResult RtfWriter::EndTableCell() {
    return Write("\n\\cell ") ? RtfResult::RtfSuccess : RtfResult::RtfTableError;
}

RtfResult RtfWriter::EndTableRow() {
    return Write("\n\\trgaph115\\row\\pard") ? RtfResult::RtfSuccess : RtfResult::RtfTableError;
}

RtfResult RtfWriter::InsertImageFile(std::string_view fileName, std::int32_t scaleX,
                                     std::int32_t scaleY) {
    const auto has = [&](std::string_view extension) {
        return fileName.find(extension) != std::string_view::npos;
    };
    if (!has(".bmp") && !has(".jpg") && !has(".gif"))
        return Write("\n\\par\\pard *** Error! Wrong image format ***\\par")
                   ? RtfResult::RtfSuccess
                   : RtfResult::RtfPictureError;

    current_.reset();
    if (!file_ || !loader_)
        return RtfResult::RtfPictureError;
    current_ = loader_(fileName);
    if (!current_ || current_->IsNull()) {
        current_.reset();
        return RtfResult::RtfPictureError;
    }
    return EmbedPicture(*current_, scaleX, scaleY);
}

RtfResult RtfWriter::InsertPicture(const RtfPicture& picture, std::int32_t scaleX,
                                   std::int32_t scaleY) {
    return EmbedPicture(picture, scaleX, scaleY);
}

RtfFittedResult RtfWriter::InsertPictureFitted(const RtfPicture& picture) {
    if (!file_ || picture.IsNull())
        return {RtfResult::RtfPictureError, {}};
    const std::int64_t w = HimetricToPixels(PixelsToHimetric(picture.width), pixelsPerInchX_);
    const std::int64_t h = HimetricToPixels(PixelsToHimetric(picture.height), pixelsPerInchY_);
    const bool paragraph = WritePictureParagraph();
    const std::int32_t scale = FittedScale(w, h);
    if (scale == 0)
        return {RtfResult::RtfPictureError, RtfPictureTooLargeText};
    // Below 5000 display pixels; only an absurd density leaves the metafile's limits.
    const auto width = static_cast<std::int32_t>(w);
    const auto height = static_cast<std::int32_t>(h);
    if (!MetafileWriter::CanDraw(picture, width, height))
        return {RtfResult::RtfPictureError, {}};
    const bool group = WritePictureGroup(picture, width, height, w, h, scale, scale);
    return {paragraph && group ? RtfResult::RtfSuccess : RtfResult::RtfPictureError, {}};
}

RtfResult RtfWriter::EmbedPicture(const RtfPicture& picture, std::int32_t scaleX,
                                  std::int32_t scaleY) {
    if (!file_ || picture.IsNull())
        return RtfResult::RtfPictureError;
    const std::int64_t goalWidth = PixelsToHimetric(picture.width);
    const std::int64_t goalHeight = PixelsToHimetric(picture.height);
    const std::int64_t w = HimetricToPixels(goalWidth, pixelsPerInchX_);
    const std::int64_t h = HimetricToPixels(goalHeight, pixelsPerInchY_);
    if (w > INT32_MAX || h > INT32_MAX ||
        !MetafileWriter::CanDraw(picture, static_cast<std::int32_t>(w),
                                 static_cast<std::int32_t>(h)))
        return RtfResult::RtfPictureError; // nothing written
    const bool paragraph = WritePictureParagraph();
    const bool group =
        WritePictureGroup(picture, static_cast<std::int32_t>(w), static_cast<std::int32_t>(h),
                          goalWidth, goalHeight, scaleX, scaleY);
    return paragraph && group ? RtfResult::RtfSuccess : RtfResult::RtfPictureError;
}

bool RtfWriter::WritePictureParagraph() {
    paragraph_.text.clear();
    return Write(RtfParagraphText(paragraph_));
}

bool RtfWriter::WritePictureGroup(const RtfPicture& picture, std::int32_t width,
                                  std::int32_t height, std::int64_t goalWidth,
                                  std::int64_t goalHeight, std::int32_t scaleX,
                                  std::int32_t scaleY) {
    const std::string open = "\n{\\pict\\wmetafile8\\picwgoal" + std::to_string(goalWidth) +
                             "\\pichgoal" + std::to_string(goalHeight) + "\\picscalex" +
                             std::to_string(scaleX) + "\\picscaley" + std::to_string(scaleY) + "\n";
    bool written = Write(open);

    // The metafile goes out as hexadecimal text while it is being made, a piece at a time.
    written = MetafileWriter::Write(
                  picture, width, height,
                  [this](std::span<const std::uint8_t> bytes) { return WriteHex(bytes); }) &&
              written;
    return Write("}") && written;
}

bool RtfWriter::WriteHex(std::span<const std::uint8_t> bytes) {
    static constexpr char Digits[] = "0123456789abcdef";
    hex_.resize(2 * HexChunk);
    while (!bytes.empty()) {
        const auto piece = bytes.first(std::min(bytes.size(), HexChunk));
        char* out = hex_.data();
        for (const std::uint8_t b : piece) {
            *out++ = Digits[b >> 4];
            *out++ = Digits[b & 0xF];
        }
        if (!WriteRaw({hex_.data(), 2 * piece.size()}))
            return false;
        bytes = bytes.subspan(piece.size());
    }
    return true;
}

bool RtfWriter::Write(std::string_view text) {
    if (!file_)
        return false;
    bool written = true;
    for (;;) {
        const std::size_t lineFeed = text.find('\n');
        written = WriteRaw(text.substr(0, lineFeed)) && written;
        if (lineFeed == std::string_view::npos)
            return written;
        written = WriteRaw("\r\n") && written;
        text.remove_prefix(lineFeed + 1);
    }
}

bool RtfWriter::WriteRaw(std::string_view bytes) {
    if (!file_)
        return false;
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) == bytes.size();
}

} // namespace vitalog
