// The whole-command peer of slanter-cli convert: reads a BMP picture, turns it by the
// pattern's angle onto the wrapped (tiled) plane with OpenCV's affine warp, cut to the
// tile's size, and writes a BMP file.
//   opencv_peer IN.bmp OUT.bmp DEGREES WIDTH HEIGHT nearest|bilinear THREADS
// THREADS 0 leaves OpenCV its default (all cores).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

int main(int argc, char** argv) {
    if (argc != 8) {
        std::fprintf(stderr, "usage: opencv_peer IN OUT DEGREES WIDTH HEIGHT nearest|bilinear "
                             "THREADS\n");
        return 2;
    }
    const int threads = std::atoi(argv[7]);
    if (threads > 0)
        cv::setNumThreads(threads);
    // An 8-bit picture stays one channel, as ours stays indexed.
    const cv::Mat source = cv::imread(argv[1], cv::IMREAD_UNCHANGED);
    if (source.empty())
        return 1;
    const double angle = std::atof(argv[3]) * 3.14159265358979 / 180;
    const cv::Mat turn = (cv::Mat_<double>(2, 3) << std::cos(angle), std::sin(angle), 0,
                          -std::sin(angle), std::cos(angle), 0);
    cv::Mat result;
    const bool bilinear = std::string(argv[6]) == "bilinear";
    cv::warpAffine(source, result, turn, cv::Size(std::atoi(argv[4]), std::atoi(argv[5])),
                   (bilinear ? cv::INTER_LINEAR : cv::INTER_NEAREST) | cv::WARP_INVERSE_MAP,
                   cv::BORDER_WRAP);
    return cv::imwrite(argv[2], result) ? 0 : 1;
}
