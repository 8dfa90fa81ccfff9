#include "jet/database_page.h"

#include <algorithm>
#include <string>
#include <utility>

namespace jet {
namespace {

bool HasSignature(ByteSpan file) {
    if (file.size() < header::kSignatureOffset + header::kJetSignature.size() ||
        file[0] != static_cast<std::uint8_t>(PageType::DatabaseHeader)) {
        return false;
    }
    const std::string_view signature(reinterpret_cast<const char*>(file.data()) +
                                         header::kSignatureOffset,
                                     header::kJetSignature.size());
    return signature == header::kJetSignature || signature == header::kAceSignature;
}

// The masked part of the database page, unmasked.
std::array<std::uint8_t, header::kJet4MaskedSize> UnmaskedHeader(ByteSpan page, std::size_t size) {
    const auto stream = HeaderMaskStream();
    std::array<std::uint8_t, header::kJet4MaskedSize> plain{};
    const ByteSpan masked = Slice(page, header::kMaskedOffset, size);
    for (std::size_t i = 0; i < size; ++i) {
        plain[i] = static_cast<std::uint8_t>(masked[i] ^ stream[i]);
    }
    return plain;
}

// Jet 4 masks the password with the integer part of the creation date, repeated.
std::array<std::uint8_t, 4> PasswordMask(Version version, ByteSpan plain) {
    std::array<std::uint8_t, 4> mask{};
    if (version == Version::Jet3) {
        return mask;
    }
    const double created = LoadF64(plain, header::kCreationDateOffset - header::kMaskedOffset);
    const double clamped = std::clamp(created, -2147483648.0, 2147483647.0);
    const auto days = static_cast<std::uint32_t>(static_cast<std::int32_t>(clamped));
    StoreU32(mask.data(), days);
    return mask;
}

void CheckProtection(Version version, ByteSpan plain) {
    if (LoadU32(plain, header::kDatabaseKeyOffset - header::kMaskedOffset) != 0) {
        throw FormatError::Encrypted("ses pages sont codées par une clé de la base");
    }
    const std::size_t size =
        version == Version::Jet3 ? header::kJet3PasswordSize : header::kJet4PasswordSize;
    const auto mask = PasswordMask(version, plain);
    const ByteSpan password = Slice(plain, header::kPasswordOffset - header::kMaskedOffset, size);
    for (std::size_t i = 0; i < password.size(); ++i) {
        if ((password[i] ^ mask[i % mask.size()]) != 0) {
            throw FormatError::Encrypted("la base est protégée par un mot de passe");
        }
    }
}

} // namespace

std::array<std::uint8_t, header::kJet4MaskedSize> HeaderMaskStream() {
    std::array<std::uint8_t, 4> key{};
    StoreU32(key.data(), header::kMaskKey);
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i) {
        state[i] = static_cast<std::uint8_t>(i);
    }
    for (std::size_t i = 0, j = 0; i < state.size(); ++i) {
        j = (j + state[i] + key[i % key.size()]) % 256;
        std::swap(state[i], state[j]);
    }
    std::array<std::uint8_t, header::kJet4MaskedSize> stream{};
    for (std::size_t n = 0, i = 0, j = 0; n < stream.size(); ++n) {
        i = (i + 1) % 256;
        j = (j + state[i]) % 256;
        std::swap(state[i], state[j]);
        stream[n] = state[(state[i] + state[j]) % 256];
    }
    return stream;
}

DatabaseInfo ReadDatabasePage(ByteSpan file) {
    if (!HasSignature(file) || file.size() <= header::kVersionOffset) {
        throw FormatError::NotJet();
    }
    const std::uint8_t code = file[header::kVersionOffset];
    if (code > kNewestVersion) {
        throw FormatError::Unsupported("sa version d'Access (" + std::to_string(code) +
                                       ") est inconnue");
    }
    const auto version = static_cast<Version>(code);
    const Layout& layout = version == Version::Jet3 ? kJet3Layout : kJet4Layout;
    if (file.size() % layout.pageSize != 0 || file.size() < 3 * layout.pageSize) {
        throw FormatError::Damaged("il est tronqué");
    }
    if (file.size() > kLargestFile) {
        throw FormatError::Damaged("il dépasse la taille que le format admet");
    }
    const std::size_t maskedSize =
        version == Version::Jet3 ? header::kJet3MaskedSize : header::kJet4MaskedSize;
    const auto plain = UnmaskedHeader(file, maskedSize);
    const ByteSpan plainBytes(plain.data(), maskedSize);
    CheckProtection(version, plainBytes);
    const std::uint16_t codePage =
        LoadU16(plainBytes, header::kCodePageOffset - header::kMaskedOffset);
    return {version, &layout, codePage, static_cast<std::uint32_t>(file.size() / layout.pageSize)};
}

} // namespace jet
