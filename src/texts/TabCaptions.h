#pragma once

namespace tarn {

// Captions of the window's tabs and frames, as the user reads them; reports name the parts of
// a configuration by them too.
inline constexpr char kTabCaptions[5][11] = {"AES3 MIX", "IP MIX", "DC LOOPS", "METERS",
                                             "COMPRESSOR"};
inline constexpr int kLoopsTab = 2;
inline constexpr int kMetersTab = 3;
inline constexpr int kCompressorTab = 4;
inline constexpr char kDcLoopsFrameCaptions[2][11] = {"AES3 LOOPS", "IP LOOPS"};
// One per compressor spinner, in the order of kCompressorParams.
inline constexpr char kCompressorFrameCaptions[5][17] = {"Attack", "Hold (ms)", "Decay",
                                                         "Gain (dB)", "Threshold (dBFS)"};

} // namespace tarn
