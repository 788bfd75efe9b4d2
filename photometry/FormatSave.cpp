#include "FormatSave.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <sys/stat.h>

#include "AtomicFile.h"
#include "EntryLoader.h"
#include "EulumdatConversion.h"
#include "EulumdatReader.h"
#include "PhotometricSummary.h"

namespace {

FormatSaveResult Refused(FormatSaveResult result, ConversionFault fault, std::string message)
{
    result.fault = fault;
    result.message = std::move(message);
    return result;
}

std::string InFolder(std::string folder, const std::string& name)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder + name;
}

bool HasLowerCase(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool HasUpperCase(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// What an IES record alone does not say: its texts, and the band fluxes.
FormatConversion EulumdatOfEntry(const TiesData& entry, const std::string& newName)
{
    const tIES& ies = entry.Ies;
    EulumdatWriteInputs inputs;
    inputs.manufacturer = entry.Texts.manufacturer;
    inputs.test = entry.Texts.test;
    inputs.luminaire = entry.Texts.luminaire;
    inputs.luminaireCatalog = entry.Texts.luminaireCatalog;
    inputs.lamp = entry.Texts.lamp;
    inputs.fileName = newName;
    inputs.ballastFactor = ies.BallastFactor;
    inputs.ballastLampFactor = ies.BallastLampFactor;
    const std::optional<double> total = BandFlux(ies, 0, 180);
    const std::optional<double> down = BandFlux(ies, 0, 90);
    if (total && down && *total > 0)
        inputs.downwardFlux = 100 * *down / *total;
    if (HasAbsolutePhotometry(ies)) {
        inputs.luminaireFlux = total.value_or(0);
        inputs.lorl = 100;  // the set's flux is the luminaire's own
    } else if (total) {
        const double lampFlux = std::max(1.0, static_cast<double>(ies.LampCount)) * ies.LampLumens;
        inputs.lorl = 100 * *total / lampFlux;
    }
    return BuildEulumdat(ies, inputs);
}

}  // namespace

std::string FormatConvertedName(std::string_view name, PhotometricFormat target)
{
    const std::size_t dot = name.rfind('.');
    const std::string_view base = dot == std::string_view::npos ? name : name.substr(0, dot);
    const std::string_view oldExtension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    std::string extension(FormatExtension(target));
    if (HasUpperCase(oldExtension) && !HasLowerCase(oldExtension))
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return std::string(base) + extension;
}

FormatSaveResult SaveInFormat(const std::string& folder, const std::string& fileName, PhotometricFormat target,
                              const std::string& outFolder)
{
    FormatSaveResult result;
    result.oldName = fileName;
    TiesData entry = UnreadEntry(fileName);
    if (entry.Format == target)
        return Refused(result, ConversionFault::NotConvertible,
                       "The file is " + std::string(FormatName(target)) + " already.");
    const std::string sourceFolder = InFolder(folder, "");
    std::string bytes;
    if (std::string error = ReadWholeFile(sourceFolder + fileName, bytes); !error.empty())
        return Refused(result, ConversionFault::Unexpected, sourceFolder + fileName + ": " + error);

    result.newName = FormatConvertedName(fileName, target);
    result.newPath = InFolder(outFolder.empty() ? folder : outFolder, result.newName);
    FormatConversion built;
    if (target == PhotometricFormat::Eulumdat) {
        const LoadResult load = ReadEntryBytes(entry, bytes);
        if (load.kind != LoadResult::Kind::Loaded)
            return Refused(result, ConversionFault::Unexpected, load.error);
        built = EulumdatOfEntry(entry, result.newName);
    } else {
        EulumdatFile file;
        const ReadResult read = ReadEulumdat(bytes, file);
        if (!read.Read())
            return Refused(result, ConversionFault::Unexpected, read.message);
        built = BuildIesFromEulumdat(file);
    }
    std::string().swap(bytes);
    if (!built.Written())
        return Refused(result, built.fault, built.message);

    // A file already at the target stays unless an earlier conversion wrote it.
    struct stat source {}, existing {};
    if (::stat(result.newPath.c_str(), &existing) == 0) {
        if (::stat((sourceFolder + fileName).c_str(), &source) == 0 && source.st_dev == existing.st_dev &&
            source.st_ino == existing.st_ino)
            return Refused(result, ConversionFault::Unexpected,
                           result.newName + " is the file being converted; nothing was written.");
        TiesData there = UnreadEntry(result.newName);
        there.Format = target;
        const std::string newPath = result.newPath;
        const std::size_t slash = newPath.rfind('/');
        const LoadResult read =
            LoadEntryTexts(there, slash == std::string::npos ? std::string() : newPath.substr(0, slash + 1));
        if (!S_ISREG(existing.st_mode) || read.kind != LoadResult::Kind::Loaded || !there.Changed)
            return Refused(result, ConversionFault::TargetTaken,
                           result.newName + " already exists and was not written by a conversion; it was left as it is.");
    }
    if (std::string error = WriteFileAtomically(result.newPath, built.bytes); !error.empty())
        return Refused(result, ConversionFault::WriteFailed, std::move(error));
    return result;
}
