// The project reader from arbitrary bytes: it refuses with one sentence, or gives a
// project that saves and reopens to the same data file, which the shed reader takes.
#include "shed/Project.h"
#include "shed/Reader.h"

#include <cstdint>
#include <cstdlib>

using namespace corvelle::shed;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ProjectRead read =
        readProject(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.project) {
        if (read.error.isEmpty() || read.error.contains(QLatin1Char('\n')))
            std::abort();
        return 0;
    }
    const QByteArray dataFile = formDataFile(*read.project);
    const ProjectRead again = readProject(formProject(*read.project));
    if (!again.project || formDataFile(*again.project) != dataFile || again.project->windows != read.project->windows
        || again.project->prices != read.project->prices || !(again.project->loads == read.project->loads))
        std::abort();
    if (!readDesign(dataFile).design)
        std::abort();
    return 0;
}
