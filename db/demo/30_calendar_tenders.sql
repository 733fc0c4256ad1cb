-- The business calendar of every outlet group from 60 days back to a year
-- ahead of the day the demo is loaded, so the current season is always
-- there: peak season ('2') from 15 December to the end of February for the
-- ski slopes and from May to October for golf, low season ('1') otherwise;
-- Saturdays and Sundays are weekend days ('2'). The day's secret code is
-- derived from the date.
--
-- Then the tender types and the ones each outlet accepts, in button order.

INSERT INTO calendar (sod_gubun_code, cal_date, season_code, business_gubun, secret_code)
SELECT g.sod_gubun_code, to_char(d, 'YYYYMMDD'),
       CASE
           WHEN g.sod_gubun_code = '20'
                AND (extract(month FROM d) IN (1, 2) OR (extract(month FROM d) = 12 AND extract(day FROM d) >= 15))
               THEN '2'
           WHEN g.sod_gubun_code = '30' AND extract(month FROM d) BETWEEN 5 AND 10 THEN '2'
           ELSE '1'
       END,
       CASE WHEN extract(isodow FROM d) IN (6, 7) THEN '2' ELSE '1' END,
       lpad(((to_char(d, 'YYYYMMDD')::bigint * 7919) % 10000)::text, 4, '0')
  FROM (VALUES ('10'), ('20'), ('30'), ('40')) AS g (sod_gubun_code)
 CROSS JOIN generate_series(current_date - 60, current_date + 365, interval '1 day') AS d
ON CONFLICT DO NOTHING;

INSERT INTO pay_type (pay_code, pay_name) VALUES
 (110, '현금'),
 (120, '신용카드'),
 (125, '이지체크'),
 (130, '객실 후불'),
 (140, '락카 후불'),
 (150, '단체 후불'),
 (160, '상품권'),
 (170, '외상'),
 (430, '선수금')
ON CONFLICT DO NOTHING;

INSERT INTO upjang_pay (upjang_code, pay_code, sort_order)
SELECT u.upjang_code, p.pay_code, p.sort_order
  FROM upjang u
  JOIN (VALUES (110, 1), (120, 2), (125, 3), (160, 6), (170, 8)) AS p (pay_code, sort_order) ON true
ON CONFLICT DO NOTHING;

-- Charges to a room at the restaurants and the bar, to a golf locker at the
-- club, to a group contract at the restaurants and the ski outlets.
INSERT INTO upjang_pay (upjang_code, pay_code, sort_order) VALUES
 ('3101', 130, 4), ('3102', 130, 4), ('3001', 130, 4),
 ('4101', 140, 4),
 ('3101', 150, 5), ('3001', 150, 5), ('5001', 150, 5), ('5099', 150, 5),
 ('3001', 430, 7)
ON CONFLICT DO NOTHING;
