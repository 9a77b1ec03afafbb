#pragma once
// Movies for tests, made by the ffmpeg program: 12 frames of 64 by 48 at 10
// a second, each one solid colour, with a 440 Hz tone of 1.2 seconds, in
// one of two codec pairs of ".mov" files. Decoded colours are compared
// within a tolerance.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace plat::testing {

constexpr int kMovieWidth = 64;
constexpr int kMovieHeight = 48;
constexpr int kMovieFrames = 12;
inline const std::uint32_t kMovieFrameColours[kMovieFrames] = {
    0xC03030, 0x30C030, 0x3030C0, 0xC0C030, 0x30C0C0, 0xC030C0,
    0xE0E0E0, 0x202020, 0x806040, 0x4080A0, 0xA04080, 0x60A060};

struct MovieCodec {
    const char* name;
    const char* options;
};
inline const MovieCodec kCinepakIma4{"cinepak", "-c:v cinepak -g 5 -c:a adpcm_ima_qt"};
inline const MovieCodec kH264Aac{"h264",
                                 "-c:v libx264 -pix_fmt yuv420p -g 4 -bf 2 -c:a aac -b:a 96k -movflags +faststart"};

inline bool HaveFfmpegProgram()
{
    return std::system("ffmpeg -version >/dev/null 2>&1") == 0;
}

// Writes the movie to the host path; false when ffmpeg failed.
inline bool MakeColourMovie(const std::string& path, const MovieCodec& codec)
{
    const std::string raw = path + ".rgb";
    {
        std::ofstream out(raw, std::ios::binary);
        for (std::uint32_t c : kMovieFrameColours)
            for (int i = 0; i < kMovieWidth * kMovieHeight; ++i) {
                const char rgb[3] = {char(c >> 16), char(c >> 8), char(c)};
                out.write(rgb, 3);
            }
    }
    const std::string command = "ffmpeg -v error -y -f rawvideo -pix_fmt rgb24 -s 64x48 -r 10 -i '" + raw +
                                "' -f lavfi -i sine=frequency=440:sample_rate=22050:duration=1.2 " + codec.options +
                                " '" + path + "'";
    const bool made = std::system(command.c_str()) == 0;
    std::remove(raw.c_str());
    return made;
}

inline bool CloseColour(std::uint32_t got, std::uint32_t want, int tolerance = 24)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

inline std::string HexColour(std::uint32_t c)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", c & 0xFFFFFF);
    return text;
}

}  // namespace plat::testing
