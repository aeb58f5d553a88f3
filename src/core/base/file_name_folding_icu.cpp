// File name folding on POSIX systems: ICU's normalisation and case folding.
#ifndef _WIN32

#include "core/base/file_name_folding.h"

#include "core/base/text_util.h"

#include <unicode/normalizer2.h>
#include <unicode/stringpiece.h>
#include <unicode/unistr.h>

namespace kestrel {

std::string foldedFileName(std::string_view name)
{
    if (!isValidUtf8(name))
        return toLower(name);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decompose = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* compose = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return toLower(name);
    // Unicode's canonical caseless match: decomposed before the folding, so
    // that a letter folds alike however its accent was written, and composed
    // again after it.
    icu::UnicodeString text = decompose->normalize(
        icu::UnicodeString::fromUTF8(icu::StringPiece(name.data(), static_cast<std::int32_t>(name.size()))), status);
    text.foldCase(U_FOLD_CASE_DEFAULT);
    text = compose->normalize(text, status);
    if (U_FAILURE(status))
        return toLower(name);
    std::string folded;
    text.toUTF8String(folded);
    return folded;
}

} // namespace kestrel

#endif // _WIN32
