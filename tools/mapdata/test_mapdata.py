"""Checks of the map-file format and of the line handling of the generator."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lnbformat  # noqa: E402
import make_mapdata  # noqa: E402
import regions  # noqa: E402


class FormatTest(unittest.TestCase):
    def test_count_holds_values_in_lnb_and_points_in_mpb(self):
        line = [(3990, 11640), (3100, 12150), (2000, 11000)]
        for kind, count in (("lnb", 6), ("mpb", 3)):
            data = lnbformat.encode(kind, [line])
            self.assertEqual(int.from_bytes(data[:2], "little"), count)
            self.assertEqual(len(data), 10 + 4 * 3)
            self.assertEqual(lnbformat.decode(kind, data), ([line], False))

    def test_reserved_bytes_hold_the_bounding_box(self):
        data = lnbformat.encode("lnb", [[(-100, 17990), (250, -17990)]])
        self.assertEqual(lnbformat.RECORD_HEAD.unpack_from(data),
                         (4, -100, 250, -17990, 17990))

    def test_odd_and_negative_counts_follow_the_reader(self):
        self.assertEqual(lnbformat.points_for("lnb", 1), 0)
        self.assertEqual(lnbformat.points_for("lnb", 7), 3)
        self.assertEqual(lnbformat.points_for("mpb", 1), 1)
        self.assertEqual(lnbformat.points_for("mpb", -5), 0)

    def test_long_lines_split_sharing_the_join(self):
        line = [(i % 9000, i % 18000) for i in range(40000)]
        data = lnbformat.encode("lnb", [line])
        records, truncated = lnbformat.decode("lnb", data)
        self.assertFalse(truncated)
        self.assertEqual([len(r) for r in records], [16383, 16383, 7236])
        self.assertEqual(records[0][-1], records[1][0])
        joined = records[0] + records[1][1:] + records[2][1:]
        self.assertEqual(joined, line)

    def test_cut_record_is_reported(self):
        data = lnbformat.encode("mpb", [[(1, 2), (3, 4)]])
        records, truncated = lnbformat.decode("mpb", data[:-2])
        self.assertEqual(records, [])
        self.assertTrue(truncated)


class LineTest(unittest.TestCase):
    def test_join_chains_bin_pieces_but_not_junctions(self):
        pieces = [[(0, 0), (1, 0)], [(2, 0), (1, 0)], [(2, 0), (3, 0)],
                  [(3, 0), (3, 1)], [(3, 0), (3, -1)]]
        lines = make_mapdata.join_segments(pieces)
        self.assertIn([(0, 0), (1, 0), (2, 0), (3, 0)],
                      [ln if ln[0] == (0, 0) else ln[::-1] for ln in lines])
        self.assertEqual(len(lines), 3)

    def test_join_closes_a_ring(self):
        pieces = [[(0, 0), (1, 0)], [(1, 0), (1, 1)], [(1, 1), (0, 0)]]
        lines = make_mapdata.join_segments(pieces)
        self.assertEqual(len(lines), 1)
        self.assertEqual(len(lines[0]), 4)
        self.assertEqual(lines[0][0], lines[0][-1])

    def test_dateline_crossing_is_cut(self):
        line = [(179.5, 10), (179.9, 10), (-179.9, 10), (-179.5, 10)]
        self.assertEqual(make_mapdata.split_dateline(line),
                         [line[:2], line[2:]])

    def test_simplify_keeps_ends_and_drops_near_vertices(self):
        line = [(0.0, 0.0), (0.005, 0.0), (0.02, 0.0), (0.021, 0.0)]
        self.assertEqual(make_mapdata.simplify(line),
                         [(0.0, 0.0), (0.02, 0.0), (0.021, 0.0)])

    def test_small_island_keeps_its_far_side(self):
        ring = [(0.0, 0.0), (0.004, 0.0), (0.008, 0.004), (0.0, 0.0)]
        self.assertEqual(make_mapdata.simplify(ring),
                         [(0.0, 0.0), (0.008, 0.004), (0.0, 0.0)])

    def test_quantize_rounds_and_swaps_to_lat_lon(self):
        self.assertEqual(make_mapdata.quantize([(116.386, 39.904),
                                                (116.3851, 39.9041)]),
                         [(3990, 11639)])

    def test_kept_run_through_the_seam_of_a_ring_stays_one(self):
        ring = [(0, 0), (1, 0), (2, 0), (3, 0), (0, 0)]
        runs = make_mapdata.kept_runs(ring, lambda p: p != (2, 0))
        self.assertEqual(runs, [[(3, 0), (0, 0), (1, 0)]])


class RegionTest(unittest.TestCase):
    def test_region_file_has_ten_tokens_per_record_in_gbk(self):
        text = regions.region_text()
        tokens = text.split()
        self.assertEqual(tokens[0], "REGION")
        n = int(tokens[1])
        self.assertLessEqual(n, 10)
        self.assertEqual(len(tokens), 2 + 10 * n)
        self.assertEqual(tokens[2], "中国区域")
        text.encode("gbk")


if __name__ == "__main__":
    unittest.main()
