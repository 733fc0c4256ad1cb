-- Demo: guests of the resort hotel (2001) and the condominium (2002) around
-- today, for the room tender. Dates follow the day the demo is loaded.
--   01203 in house, member 1071234500      01204 arrives today, not checked in
--   01205 left this morning                01206 folio closed to charges
--   01207/01208 a company workshop whose charges go to its master folio 01901

INSERT INTO common_code (head, code, code_name) VALUES
    ('Z0006', '010', '기명 회원'), ('Z0006', '020', '일반 회원'), ('Z0006', '100', '직원'),
    ('Z0006', '410', '단체'), ('Z0006', '900', '일반 투숙객')
ON CONFLICT DO NOTHING;

INSERT INTO hotel_room (hotel_upjang_code, room_no, room_type)
SELECT '2001', lpad(r::text, 5, '0'), CASE WHEN r >= 1900 THEN '스위트' ELSE '디럭스' END
  FROM (SELECT generate_series(1201, 1215) UNION ALL SELECT 1901) AS rooms(r)
UNION ALL
SELECT '2002', lpad(r::text, 5, '0'), '패밀리' FROM generate_series(10301, 10310) AS r
ON CONFLICT DO NOTHING;

-- Every restaurant and the ski package desk charge both; the hotel first.
INSERT INTO hotel_charge_upjang (upjang_code, hotel_upjang_code, sort_order)
SELECT u, h.code, h.sort_order
  FROM unnest(ARRAY['3001', '3002', '3003', '3004', '3005', '3029', '5099']) AS u,
       (VALUES ('2001', 0), ('2002', 1)) AS h(code, sort_order)
ON CONFLICT DO NOTHING;

WITH d AS (SELECT to_char(current_date + n, 'YYYYMMDD') AS day, n FROM generate_series(-3, 3) AS n)
INSERT INTO hotel_stay (hotel_upjang_code, rsv_no, manage_no, room_no, arrival_date, departure_date, check_in_date,
                        check_out_date, member_no, member_name, come_name, guest_type, event_no, post_charge_yn)
SELECT s.hotel, s.rsv, s.manage, s.room,
       (SELECT day FROM d WHERE n = s.arrive), (SELECT day FROM d WHERE n = s.depart),
       (SELECT day FROM d WHERE n = s.checkin), (SELECT day FROM d WHERE n = s.checkout),
       s.member_no, s.member_name, s.come_name, s.guest_type, s.event_no, s.post_yn
  FROM (VALUES
    ('2001', 'H24-00311', 1, '01203', -1, 2, -1, NULL, '1071234500', '한서윤', '한서윤 외 1명', '010', '', 'Y'),
    ('2001', 'H24-00318', 1, '01204', 0, 2, NULL, NULL, '', '', '도민재', '900', '', 'Y'),
    ('2001', 'H24-00296', 1, '01205', -2, 0, -2, 0, '', '', '문가온', '900', '', 'Y'),
    ('2001', 'H24-00302', 1, '01206', -1, 1, -1, NULL, '', '', '서이준 외 2명', '900', '', 'N'),
    ('2001', 'H24-00320', 1, '01901', -1, 1, -1, NULL, '', '', '새봄전자 워크숍 (마스터)', '410', '4124010500', 'Y'),
    ('2001', 'H24-00320', 2, '01207', -1, 1, -1, NULL, '', '', '윤채아', '410', '4124010500', 'Y'),
    ('2001', 'H24-00320', 3, '01208', -1, 1, -1, NULL, '', '', '정하율', '410', '4124010500', 'Y'),
    ('2002', 'C24-01155', 1, '10304', -3, 3, -3, NULL, '1072345600', '강하람', '강하람 가족', '020', '', 'Y')
  ) AS s(hotel, rsv, manage, room, arrive, depart, checkin, checkout, member_no, member_name, come_name, guest_type,
         event_no, post_yn)
ON CONFLICT DO NOTHING;

INSERT INTO hotel_folio_route (hotel_upjang_code, rsv_no, manage_no, to_hotel_upjang_code, to_rsv_no, to_manage_no)
VALUES ('2001', 'H24-00320', 2, '2001', 'H24-00320', 1),
       ('2001', 'H24-00320', 3, '2001', 'H24-00320', 1)
ON CONFLICT DO NOTHING;
