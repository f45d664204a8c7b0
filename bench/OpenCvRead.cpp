// The peer of bench/OpenPicture.cpp: OpenCV's imread of the same file, as 8-bit colours.
//   opencv_read FILE
#include <cstdio>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: opencv_read FILE\n");
        return 2;
    }
    const cv::Mat picture = cv::imread(argv[1], cv::IMREAD_COLOR);
    if (picture.empty())
        return 1;
    std::printf("%d x %d\n", picture.cols, picture.rows);
    return 0;
}
