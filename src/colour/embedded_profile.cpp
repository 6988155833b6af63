// The JPEG segment walker and the TIFF first-directory reader behind
// ExtractProfiles, and the HEIF/AVIF and JPEG XL colour through their libraries.
// All work on the file's bytes as one read-only span (the file head read with plain
// reads, or the whole file when a look reached past the head); a value that would
// reach past the end of the span ends the search.
#include "colour/embedded_profile.h"

#include <QFileInfo>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "colour/nclx_profile.h"
#include "controls/native_path.h"
#include "surface/heif_metadata.h"
#include "surface/heif_primary.h"
#include "surface/jxl_metadata.h"
#include "surface/jxl_stream.h"
#include "surface/photo_file_bytes.h"

namespace tessaly {
namespace {

// A JPEG APP2 profile segment starts with an 18-byte header: marker FF E2,
// big-endian length L (counting itself), the 11 characters ICC_PROFILE and
// their terminating zero, the chunk's 1-based sequence number and the total
// number of chunks. L − 16 bytes of profile data follow the header.
constexpr std::int64_t kChunkHeaderSize = 18;
constexpr std::int64_t kChunkLengthOverhead = 16;  // length field, marker text, numbers
constexpr char kIccMarker[] = "ICC_PROFILE";       // bytes 4–14, the zero is not checked
constexpr std::int64_t kIccMarkerOffset = 4;
constexpr std::int64_t kSequenceOffset = 16;
constexpr std::int64_t kChunkCountOffset = 17;
constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kApp2 = 0xE2;
constexpr std::uint8_t kQuantizationTable = 0xDB;  // profiles always come before it
constexpr std::int64_t kFirstSegmentOffset = 2;    // just after the FF D8 start marker

// TIFF: 8-byte header, 12-byte directory entries; the profile is tag 34675 of
// type 7 (undefined bytes), its count the size and its value the offset.
constexpr std::int64_t kTiffHeaderSize = 8;
constexpr std::uint32_t kTiffMagic = 42;
constexpr std::int64_t kTiffEntrySize = 12;
constexpr std::uint32_t kIccProfileTag = 34675;
constexpr std::uint32_t kUndefinedType = 7;

// The file's bytes with the number decoding of one byte order. "II" files store
// the low byte first, "MM" files the high byte first; JPEG is always "MM".
class ByteReader {
 public:
  ByteReader(QByteArrayView file, bool little_endian)
      : data_(reinterpret_cast<const std::uint8_t*>(file.data())),
        size_(file.size()),
        little_endian_(little_endian) {}

  void SetLittleEndian(bool little_endian) { little_endian_ = little_endian; }
  std::int64_t size() const { return size_; }
  // True when `count` bytes starting at `offset` lie inside the file; a range that
  // reaches past the end is noted (see ReachedEnd).
  bool Has(std::int64_t offset, std::int64_t count) const {
    const bool inside = offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
    if (!inside && offset >= 0 && count >= 0) reached_end_ = true;
    return inside;
  }
  // True once a check looked past the last byte: on a file's first bytes only, the
  // answer could then differ from the whole file's.
  bool ReachedEnd() const { return reached_end_; }
  void NoteEnd() const { reached_end_ = true; }
  std::uint8_t Byte(std::int64_t offset) const { return data_[offset]; }
  const char* At(std::int64_t offset) const {
    return reinterpret_cast<const char*>(data_ + offset);
  }
  std::uint32_t Word(std::int64_t offset) const {
    const std::uint32_t a = data_[offset];
    const std::uint32_t b = data_[offset + 1];
    return little_endian_ ? a + 256 * b : 256 * a + b;
  }
  std::uint32_t Long(std::int64_t offset) const {
    return little_endian_ ? 65536 * Word(offset + 2) + Word(offset)
                          : 65536 * Word(offset) + Word(offset + 2);
  }

 private:
  const std::uint8_t* data_;
  std::int64_t size_;
  bool little_endian_;
  mutable bool reached_end_ = false;
};

// True when the 18 bytes at `offset` are a profile segment header.
bool IsChunkHeader(const ByteReader& in, std::int64_t offset) {
  if (!in.Has(offset, kChunkHeaderSize)) return false;
  return in.Byte(offset) == kMarkerPrefix && in.Byte(offset + 1) == kApp2 &&
         std::memcmp(in.At(offset + kIccMarkerOffset), kIccMarker, sizeof kIccMarker - 1) == 0;
}

// Appends the data of the chunk whose header is at `offset`; returns the offset
// just after the data, or −1 when the data is not wholly inside the file.
std::int64_t AppendChunkData(const ByteReader& in, std::int64_t offset, QByteArray& profile) {
  const std::int64_t data_size =
      static_cast<std::int64_t>(in.Word(offset + 2)) - kChunkLengthOverhead;
  const std::int64_t data_offset = offset + kChunkHeaderSize;
  if (data_size < 0 || !in.Has(data_offset, data_size)) return -1;
  profile.append(in.At(data_offset), static_cast<qsizetype>(data_size));
  return data_offset + data_size;
}

int Finish(int code, QByteArray& profile) {
  if (code != kProfileFound) profile.clear();
  return code;
}

// The JPEG reader, over `in`: on a file's first bytes, in.ReachedEnd() tells whether
// the answer needs more of them.
int WalkJpegProfile(const ByteReader& in, QByteArray& profile) {
  profile.clear();
  if (!in.Has(0, 4) || in.Byte(0) != 0xFF || in.Byte(1) != 0xD8 || in.Byte(2) != 0xFF) {
    return kNotJpegOrTiff;
  }

  // Walk the segments by their lengths until the first profile chunk. The walk
  // stops at the quantization table and at the end of the file; every step
  // advances at least two bytes, so it always ends.
  std::int64_t offset = kFirstSegmentOffset;
  while (!IsChunkHeader(in, offset)) {
    if (!in.Has(offset, 4)) return kNoProfile;
    const bool quantization =
        in.Byte(offset) == kMarkerPrefix && in.Byte(offset + 1) == kQuantizationTable;
    offset += static_cast<std::int64_t>(in.Word(offset + 2)) + 2;
    if (quantization) return kNoProfile;
    if (offset >= in.size() - 1) {
      in.NoteEnd();
      return kNoProfile;
    }
  }

  // The chunks must follow one another directly, each numbered one more than the
  // previous and carrying the same total; the first one's number is not checked.
  const int chunk_count = in.Byte(offset + kChunkCountOffset);
  int sequence = in.Byte(offset + kSequenceOffset);
  offset = AppendChunkData(in, offset, profile);
  if (offset < 0) return Finish(kNoProfile, profile);
  for (int read = 1; read < chunk_count; ++read) {
    if (!IsChunkHeader(in, offset) || in.Byte(offset + kSequenceOffset) != sequence + 1 ||
        in.Byte(offset + kChunkCountOffset) != chunk_count) {
      return Finish(kBrokenChunkSequence, profile);
    }
    ++sequence;
    offset = AppendChunkData(in, offset, profile);
    if (offset < 0) return Finish(kNoProfile, profile);
  }
  return kProfileFound;
}

// The TIFF reader, over `in` (its byte order is set from the header): as the JPEG
// reader, in.ReachedEnd() tells whether the answer needs more bytes.
int WalkTiffProfile(ByteReader& in, QByteArray& profile) {
  profile.clear();
  if (!in.Has(0, kTiffHeaderSize)) return kNotJpegOrTiff;
  const QByteArrayView order(in.At(0), 2);
  if (order != "II" && order != "MM") return kNotJpegOrTiff;
  in.SetLittleEndian(order == "II");
  if (in.Word(2) != kTiffMagic) return kNotJpegOrTiff;

  // Only the first image directory is searched, and only when all its entries
  // lie within the file: a directory cut short is a damaged file, not a profile.
  const std::int64_t directory = in.Long(4);
  if (!in.Has(directory, 2)) return kNoProfile;
  const std::int64_t entries = in.Word(directory);
  if (!in.Has(directory + 2, entries * kTiffEntrySize)) return kNoProfile;
  for (std::int64_t i = 0; i < entries; ++i) {
    const std::int64_t entry = directory + 2 + i * kTiffEntrySize;
    if (in.Word(entry) != kIccProfileTag || in.Word(entry + 2) != kUndefinedType) continue;
    const std::int64_t count = in.Long(entry + 4);
    const std::int64_t data_offset = in.Long(entry + 8);
    if (count < 1 || data_offset < 1 || !in.Has(data_offset, count)) return kNoProfile;
    profile = QByteArray(in.At(data_offset), static_cast<qsizetype>(count));
    return kProfileFound;
  }
  return kNoProfile;
}

// The profile of a HEIF/AVIF or JPEG XL file: its ICC profile, or one built from
// its nclx code points; kNotJpegOrTiff for other content. `complete` is false when
// the library could not read the file from these bytes (more of it may answer).
int WalkLibraryProfile(QByteArrayView file, QByteArray& profile, bool& complete) {
  profile.clear();
  complete = true;
  const auto* data = reinterpret_cast<const std::uint8_t*>(file.data());
  const auto size = static_cast<std::size_t>(file.size());
  std::vector<std::uint8_t> icc;
  if (LooksLikeHeif(data, size)) {
    HeifColour colour;
    if (ReadHeifColour(data, size, colour) != ImageReadStatus::kOk) {
      complete = false;
      return kNoProfile;
    }
    if (colour.icc.empty() && colour.nclx)
      profile = NclxProfileBytes(colour.primaries, colour.transfer);
    icc = std::move(colour.icc);
  } else if (LooksLikeJxl(data, size)) {
    const ImageReadStatus read = ReadJxlProfile(data, size, icc);
    complete = read != ImageReadStatus::kDamaged;
  } else {
    return kNotJpegOrTiff;
  }
  if (!icc.empty())
    profile =
        QByteArray(reinterpret_cast<const char*>(icc.data()), static_cast<qsizetype>(icc.size()));
  return profile.isEmpty() ? kNoProfile : kProfileFound;
}

// ExtractProfiles for the formats recognised by content: kNotJpegOrTiff for any
// other file, and for one that cannot be read. Their signatures lie in the first
// bytes, so other files cost one small read.
int ExtractProfileByContent(const QString& file_name, QByteArray& profile) {
  profile.clear();
  constexpr std::int64_t kSignatureBytes = 64;
  PhotoFileBytes head;
  if (!IsRegularFile(file_name) || head.Read(file_name, kSignatureBytes) != ImageReadStatus::kOk ||
      !(LooksLikeHeif(head.data(), head.size()) || LooksLikeJxl(head.data(), head.size())))
    return kNotJpegOrTiff;
  int code = kNotJpegOrTiff;
  const ImageReadStatus read = ParsePhotoFileHead(file_name, [&](const PhotoFileBytes& bytes) {
    bool complete = true;
    code = WalkLibraryProfile(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                              profile, complete);
    return !complete;
  });
  if (read != ImageReadStatus::kOk) return Finish(kNotJpegOrTiff, profile);
  return code;
}

}  // namespace

int ExtractLibraryProfile(QByteArrayView file, QByteArray& profile) {
  bool complete = true;
  return WalkLibraryProfile(file, profile, complete);
}

int ExtractJpegProfile(QByteArrayView file, QByteArray& profile) {
  return WalkJpegProfile(ByteReader(file, false), profile);
}

int ExtractTiffProfile(QByteArrayView file, QByteArray& profile) {
  ByteReader in(file, false);
  return WalkTiffProfile(in, profile);
}

int ExtractProfiles(const QString& file_name, QByteArray& profile) {
  profile.clear();
  const QString extension = QFileInfo(file_name).suffix().toUpper();
  const bool tiff = extension == "TIF" || extension == "TIFF";
  const bool jpeg = extension == "JPG" || extension == "JPEG" || extension == "JPE";
  if (!tiff && !jpeg) return ExtractProfileByContent(file_name, profile);
  if (!IsRegularFile(file_name)) return kFileMissing;

  // Plain bounded reads: a file that shrinks meanwhile cannot fault the process.
  // The profile nearly always lies in the file's head.
  int code = kNotJpegOrTiff;
  const ImageReadStatus read = ParsePhotoFileHead(file_name, [&](const PhotoFileBytes& bytes) {
    ByteReader in(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), false);
    code = tiff ? WalkTiffProfile(in, profile) : WalkJpegProfile(in, profile);
    return in.ReachedEnd();
  });
  if (read == ImageReadStatus::kCannotRead) return Finish(kNoProfile, profile);
  // Anything else not read (an empty or special file) is searched as no bytes.
  if (read != ImageReadStatus::kOk) return Finish(kNotJpegOrTiff, profile);
  // A HEIF or JPEG XL photo under a JPEG or TIFF name is read by its content.
  if (code == kNotJpegOrTiff) return ExtractProfileByContent(file_name, profile);
  return code;
}

}  // namespace tessaly
