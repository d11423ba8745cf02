#!/usr/bin/python3
"""Times the OpenCV operations closest to kelvra's image menu on the same
2048 x 2048 8-bit picture that bench/bench_enhance times, single-threaded,
and prints milliseconds per operation (the median of several runs).

    build/bench/bench_enhance --dump-pgm=/tmp/enhance.pgm
    /usr/bin/python3 tools/bench-opencv-peer.py /tmp/enhance.pgm

Without a picture a smooth synthetic field of the same size is used.
"""

import sys
import time

import cv2
import numpy as np

SIDE = 2048
REPEATS = 30


def picture(path):
    if path:
        image = cv2.imread(path, cv2.IMREAD_UNCHANGED)
        if image is None:
            sys.exit("cannot read " + path)
        return image
    y, x = np.mgrid[0:SIDE, 0:SIDE].astype(np.float32)
    field = 128 + 60 * np.sin(x / 37) * np.cos(y / 53) + 40 * np.sin((x + y) / 101)
    return np.clip(field, 0, 255).astype(np.uint8)


def operations():
    lut = np.array([min(255, c * 150 // 100) for c in range(256)], dtype=np.uint8)
    sharpen = np.array([[0, -1, 0], [-1, 5, -1], [0, -1, 0]], dtype=np.float32)
    emboss = np.array([[-1, -2, 0], [-2, 0, 2], [0, 2, 1]], dtype=np.float32)
    blur = np.array([[1, 4, 1], [4, -4, 4], [1, 4, 1]], dtype=np.float32) / 16
    rng = np.random.default_rng(1)

    def noise(img):
        offsets = rng.integers(-128, 129, img.shape, dtype=np.int16)
        return cv2.add(img, offsets, dtype=cv2.CV_8U)

    def edges(img):
        gx = cv2.Sobel(img, cv2.CV_8U, 1, 0, borderType=cv2.BORDER_CONSTANT)
        gy = cv2.Sobel(img, cv2.CV_8U, 0, 1, borderType=cv2.BORDER_CONSTANT)
        return cv2.max(gx, gy)

    border = cv2.BORDER_CONSTANT
    return [
        ("Brightness", "LUT", lambda img: cv2.LUT(img, lut)),
        ("Contrast", "LUT", lambda img: cv2.LUT(img, lut)),
        ("Negate", "bitwise_not", lambda img: cv2.bitwise_not(img)),
        ("Noise", "randu-like + add", noise),
        ("HistogramStretch", "equalizeHist", lambda img: cv2.equalizeHist(img)),
        ("Blur", "filter2D 3x3", lambda img: cv2.filter2D(img, -1, blur, borderType=border)),
        ("Sharpen", "filter2D 3x3", lambda img: cv2.filter2D(img, -1, sharpen, borderType=border)),
        ("Median", "medianBlur 3", lambda img: cv2.medianBlur(img, 3)),
        ("Mean", "blur 3x3", lambda img: cv2.blur(img, (3, 3), borderType=border)),
        ("Emboss", "filter2D 3x3", lambda img: cv2.filter2D(img, -1, emboss, borderType=border)),
        ("EdgeDetect", "2 x Sobel + max", edges),
    ]


def main():
    cv2.setNumThreads(1)
    image = picture(sys.argv[1] if len(sys.argv) > 1 else None)
    print("%-18s %-18s %10s" % ("operation", "opencv", "ms"))
    for name, peer, run in operations():
        times = []
        for _ in range(REPEATS):
            copy = image.copy()
            start = time.perf_counter()
            run(copy)
            times.append((time.perf_counter() - start) * 1000.0)
        print("%-18s %-18s %10.3f" % (name, peer, sorted(times)[len(times) // 2]))


if __name__ == "__main__":
    main()
