#include "files/ZipDecoder.h"

#include <zlib.h>

#include <algorithm>

#include "files/ZipCodes.h"

namespace {
constexpr std::size_t kChunk = 256 * 1024;

DecodeResult Failure(int code, const std::string& problem) { return {code, problem, 0}; }

// Reads the entry's packed bytes chunk by chunk into the buffer, decrypting
// them.
class PackedReader {
public:
    PackedReader(IArchiveSource& archive, const ZipEntry& entry, TraditionalCipher* cipher,
                 std::vector<unsigned char>& buffer)
        : archive_(archive), cipher_(cipher), buffer_(buffer) {
        const std::uint64_t header = cipher ? TraditionalCipher::kHeaderSize : 0;
        position_ = entry.dataOffset + header;
        left_ = entry.packedSize - std::min(entry.packedSize, header);
    }
    bool exhausted() const { return left_ == 0; }
    std::uint64_t consumed() const { return consumed_; }
    // The next chunk, or nullptr when the archive could not be read.
    unsigned char* next(std::size_t& count) {
        count = static_cast<std::size_t>(std::min<std::uint64_t>(left_, buffer_.size()));
        if (!archive_.read(position_, buffer_.data(), count)) return nullptr;
        if (cipher_) cipher_->decrypt(buffer_.data(), count);
        position_ += count;
        left_ -= count;
        consumed_ += count;
        return buffer_.data();
    }

private:
    IArchiveSource& archive_;
    TraditionalCipher* cipher_;
    std::vector<unsigned char>& buffer_;
    std::uint64_t position_ = 0, left_ = 0, consumed_ = 0;
};

// Counts, checks and passes on what the entry yields.
class CheckedOutput {
public:
    CheckedOutput(const ZipEntry& entry, std::uint64_t runLeft, const DecodedOutput& output)
        : entry_(entry), runLeft_(runLeft), output_(output) {}
    std::uint64_t written() const { return written_; }
    DecodeResult accept(const unsigned char* data, std::size_t count, std::uint64_t consumed) {
        written_ += count;
        if (written_ > entry_.size) return Failure(ZipCode::kFormat, "it yields more than its declared size");
        if (written_ > runLeft_) return Failure(ZipCode::kEntrySkipped, "the run would write more than 1 GiB");
        if (written_ > kExpansionFreeBytes && written_ > consumed * kExpansionCap)
            return Failure(ZipCode::kFormat, "it expands more than 100 to 1");
        crc_ = crc32_z(crc_, data, count);
        if (count > 0 && !output_(data, count)) return Failure(ZipCode::kWriteFailed, "it could not be written");
        return {};
    }
    DecodeResult finish() const {
        if (written_ != entry_.size) return Failure(ZipCode::kFormat, "it yields less than its declared size");
        if (crc_ != entry_.crc) return Failure(ZipCode::kFormat, "its CRC does not match");
        return {};
    }

private:
    const ZipEntry& entry_;
    std::uint64_t runLeft_;
    const DecodedOutput& output_;
    std::uint64_t written_ = 0;
    uLong crc_ = crc32_z(0, nullptr, 0);
};

DecodeResult ReadFailure() { return Failure(ZipCode::kArchiveEnds, "the archive cannot be read inside its data"); }

DecodeResult DecodeStored(PackedReader& reader, CheckedOutput& checked) {
    while (!reader.exhausted()) {
        std::size_t count = 0;
        const unsigned char* chunk = reader.next(count);
        if (!chunk) return ReadFailure();
        DecodeResult step = checked.accept(chunk, count, reader.consumed());
        if (step.code != 0) return step;
    }
    return checked.finish();
}

DecodeResult DecodeDeflated(z_stream& stream, std::vector<unsigned char>& out, PackedReader& reader,
                            CheckedOutput& checked) {
    for (int status = Z_OK; status != Z_STREAM_END;) {
        if (stream.avail_in == 0) {
            if (reader.exhausted()) return Failure(ZipCode::kFormat, "its compressed data end early");
            std::size_t count = 0;
            stream.next_in = reader.next(count);
            if (!stream.next_in) return ReadFailure();
            stream.avail_in = static_cast<uInt>(count);
        }
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
            return Failure(ZipCode::kFormat, "its compressed data are damaged");
        DecodeResult step = checked.accept(out.data(), out.size() - stream.avail_out, reader.consumed());
        if (step.code != 0) return step;
    }
    return checked.finish();
}
}  // namespace

struct EntryDecoder::Inflater {
    z_stream stream{};
    bool ready = false;
    ~Inflater() {
        if (ready) inflateEnd(&stream);
    }
};

EntryDecoder::EntryDecoder() = default;
EntryDecoder::~EntryDecoder() = default;

EntryDecoder::Inflater* EntryDecoder::inflater() {
    if (!inflater_) inflater_ = std::make_unique<Inflater>();
    z_stream& stream = inflater_->stream;
    if (inflater_->ready && inflateReset(&stream) != Z_OK) return nullptr;
    if (!inflater_->ready) inflater_->ready = inflateInit2(&stream, -MAX_WBITS) == Z_OK;
    // The last entry may have left input unread; none of it belongs to
    // this one.
    stream.next_in = nullptr;
    stream.avail_in = 0;
    return inflater_->ready ? inflater_.get() : nullptr;
}

DecodeResult EntryDecoder::decode(IArchiveSource& archive, const ZipEntry& entry, TraditionalCipher* cipher,
                                  std::uint64_t runLeft, const DecodedOutput& output) {
    packed_.resize(kChunk);
    PackedReader reader(archive, entry, cipher, packed_);
    CheckedOutput checked(entry, runLeft, output);
    DecodeResult result;
    if (entry.method == 0) {
        result = DecodeStored(reader, checked);
    } else if (Inflater* state = inflater()) {
        unpacked_.resize(kChunk);
        result = DecodeDeflated(state->stream, unpacked_, reader, checked);
    } else {
        result = Failure(ZipCode::kWriteFailed, "out of memory");
    }
    result.written = checked.written();
    return result;
}
