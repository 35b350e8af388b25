#pragma once

#include "RtfFormats.h"
#include "RtfPicture.h"
#include "RtfResult.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vitalog {

// The text of the error box the caller shows for a picture InsertPictureFitted refuses.
inline constexpr std::string_view RtfPictureTooLargeText =
    "Error inserting image - image too large to be exported";

// What InsertPictureFitted did.
struct RtfFittedResult {
    RtfResult result = RtfResult::RtfSuccess;
    // Not empty when the picture was refused as too large: the text of the error box to show.
    std::string_view message;
};

// Writes one Rich Text document at a time, front to back, straight into its file: nothing of
// the document is kept in memory, and nothing is read back. Each piece is written with the
// current formats, which callers change in place between pieces. Texts are Windows-1252 bytes;
// backslash and braces in them are escaped, every other byte is written as it is. Every line
// feed written becomes CR LF, as in a Windows text file.
//
// Nothing here shows a message: failures are RtfResult values, and a picture refused as too
// large comes back with the text of its error box.
class RtfWriter {
public:
    // Reads and decodes the named image file (the name as InsertImageFile was given it);
    // nullopt when it cannot be read or decoded.
    using ImageLoader = std::function<std::optional<RtfPicture>(std::string_view fileName)>;

    // Pictures are sized in display pixels at the given density: the screen's, or 96 dpi
    // where there is no screen.
    explicit RtfWriter(ImageLoader loader = {}, std::int32_t pixelsPerInchX = 96,
                       std::int32_t pixelsPerInchY = 96);
    ~RtfWriter(); // an open document is closed as it stands
    RtfWriter(const RtfWriter&) = delete;
    RtfWriter& operator=(const RtfWriter&) = delete;

    // Resets every format, creates (or overwrites) the file and writes the header with the
    // font and colour tables, the document format and the first section format. `fonts` and
    // `colours` are lists separated by ";"; an empty list keeps the default table.
    RtfResult OpenDocument(const std::filesystem::path& file, std::string_view fonts = {},
                           std::string_view colours = {});
    RtfResult CloseDocument();
    bool IsOpen() const { return file_ != nullptr; }

    RtfResult StartSection();
    RtfResult StartParagraph(std::string_view text, bool newParagraph);

    const RtfDocumentFormat& DocumentFormat() const { return document_; }
    RtfSectionFormat& SectionFormat() { return section_; }
    RtfParagraphFormat& ParagraphFormat() { return paragraph_; }
    RtfTableRowFormat& TableRowFormat() { return row_; }
    RtfTableCellFormat& TableCellFormat() { return cell_; }

    // A row: StartTableRow, one DefineTableCell per cell from left to right, then for each
    // cell its paragraphs (in-table set) and EndTableCell, then EndTableRow.
    RtfResult StartTableRow();
    RtfResult DefineTableCell(std::int32_t rightBoundary);
    RtfResult EndTableCell();
    RtfResult EndTableRow();

    // A name without ".bmp", ".jpg" or ".gif" in it gets a visible error line in the document
    // instead of a picture. Otherwise the file is decoded by the loader and kept as the current
    // picture until the next one or the end of the document.
    RtfResult InsertImageFile(std::string_view fileName, std::int32_t scaleX, std::int32_t scaleY);
    // Scales are percent; the goal size is the picture's size in hundredths of a millimetre.
    RtfResult InsertPicture(const RtfPicture& picture, std::int32_t scaleX, std::int32_t scaleY);
    // Shows the picture at one scale chosen by its size in display pixels; refuses one of 5000
    // display pixels or more on a side, after its paragraph is written.
    RtfFittedResult InsertPictureFitted(const RtfPicture& picture);

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    bool Write(std::string_view text); // line feeds become CR LF
    bool WriteRaw(std::string_view bytes);
    bool WriteHex(std::span<const std::uint8_t> bytes); // two lower-case digits a byte
    bool WritePictureParagraph();
    bool WritePictureGroup(const RtfPicture& picture, std::int32_t width, std::int32_t height,
                           std::int64_t goalWidth, std::int64_t goalHeight, std::int32_t scaleX,
                           std::int32_t scaleY);
    RtfResult EmbedPicture(const RtfPicture& picture, std::int32_t scaleX, std::int32_t scaleY);

    ImageLoader loader_;
    std::int32_t pixelsPerInchX_;
    std::int32_t pixelsPerInchY_;
    std::unique_ptr<char[]> buffer_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::string hex_;
    RtfDocumentFormat document_;
    RtfSectionFormat section_;
    RtfParagraphFormat paragraph_;
    RtfTableRowFormat row_;
    RtfTableCellFormat cell_;
    std::optional<RtfPicture> current_; // the last picture InsertImageFile loaded
};

} // namespace vitalog
