// The archive of plays of one contest, read and scrutinised.
#include "core/paths.h"
#include "fuzz_support.h"
#include "scrutiny/plays.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tessaline::fuzz::Home();
    tessaline::TArchivioGiocate plays(1);
    tessaline::fuzz::WriteInput(plays.NomeFile(), data, size);
    plays.CaricaArchivio();
    plays.VolumeGioco(800);
    tessaline::Colonna winning;
    winning.s.fill(tessaline::kSign1);
    plays.EseguiSpoglio(winning);
    return 0;
}
