-- Demo: today's golf players by locker, for the locker tender.
--   0101-0106 on the course; 0107 has settled; 0108 is being settled at the
--   golf front desk; 0101 is on a second round (the first one is settled).

INSERT INTO golf_locker_visit (sale_date, locker_no, seq, member_no, come_name, come_time, settled_yn)
SELECT to_char(current_date, 'YYYYMMDD'), v.locker, v.seq, v.member_no, v.come_name, v.come_time, v.settled
  FROM (VALUES
    ('0101', 1, '1071234500', '한서윤', '06:10', 'Y'),
    ('0101', 2, '1071234500', '한서윤', '12:40', 'N'),
    ('0102', 1, '', '오지석', '06:20', 'N'),
    ('0103', 1, '1073456700', '임세아', '06:20', 'N'),
    ('0104', 1, '', '백도현', '06:30', 'N'),
    ('0105', 1, '', '송다온', '07:05', 'N'),
    ('0106', 1, '', '장시우', '07:05', 'N'),
    ('0107', 1, '', '권나래', '05:50', 'Y'),
    ('0108', 1, '', '남궁율', '05:50', 'N')
  ) AS v(locker, seq, member_no, come_name, come_time, settled)
ON CONFLICT DO NOTHING;

INSERT INTO golf_front_settlement (sale_date, locker_no, seq, emp_no)
VALUES (to_char(current_date, 'YYYYMMDD'), '0108', 1, 'G07')
ON CONFLICT DO NOTHING;
