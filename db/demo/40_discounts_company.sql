-- Guest-type and partner discounts of the demo resort, and its company
-- header. Guest types are those of common code head Z0006.

INSERT INTO dc_guest_type (guest_type, upjang_code, season_code, business_gubun, dc_rate, once_use_qty, daily_use_qty)
SELECT d.guest_type, u.upjang_code, s.season_code, s.business_gubun, d.dc_rate, d.once_qty, d.daily_qty
  FROM (VALUES ('100', 30, -1, -1), ('104', 20, -1, -1), ('105', 50, 1, 1), ('200', 10, -1, -1))
       AS d (guest_type, dc_rate, once_qty, daily_qty)
 CROSS JOIN upjang u
 CROSS JOIN (VALUES ('1', '1'), ('1', '2'), ('2', '1'), ('2', '2')) AS s (season_code, business_gubun)
 WHERE u.upjang_type IN ('30', '60')
   AND (u.season_code_yn = 'Y' OR s.season_code = '1')
   AND (u.business_gubun_yn = 'Y' OR s.business_gubun = '1')
ON CONFLICT DO NOTHING;

-- Lift and rental: staff ride at half price on weekdays, a quarter off on
-- weekends, in low season only; season pass holders' guests 20 %.
INSERT INTO dc_guest_type (guest_type, upjang_code, season_code, business_gubun, dc_rate, once_use_qty, daily_use_qty) VALUES
 ('100', '5001', '1', '1', 50, 2, 2),
 ('100', '5001', '1', '2', 25, 2, 2),
 ('100', '5003', '1', '1', 50, 2, 2),
 ('100', '5003', '1', '2', 25, 2, 2),
 ('503', '5003', '1', '1', 20, -1, -1),
 ('503', '5003', '2', '1', 20, -1, -1),
 ('100', '4101', '1', '1', 30, 1, 1),
 ('100', '4101', '2', '1', 20, 1, 1)
ON CONFLICT DO NOTHING;

INSERT INTO dc_partner (multi_upjang_code, member_no, member_name, member_add_no_title, member_add_no_length,
                        member_add_no_idno_yn, qty_accept_yn, gender_code, member_code, guest_type, dc_rate,
                        once_use_qty, daily_use_qty, limit_age, card_company_code, so_dc_rate)
VALUES
 ('5001', '8800101', '한빛카드 리프트 할인', '카드번호', 16, 'N', 'Y', 'Z', '51', '001', 30, 2, 2, 0, '01', 20),
 ('5001', '8800102', '누리카드 리프트 할인', '카드번호', 16, 'N', 'Y', 'Z', '51', '001', 20, 2, 2, 0, '02', 10),
 ('5001', '8800201', '강원도민 할인', '주민등록번호', 13, 'Y', 'N', 'Z', '42', '001', 15, 1, 1, 0, '', 15),
 ('5003', '8800101', '한빛카드 렌탈 할인', '카드번호', 16, 'N', 'Y', 'Z', '51', '001', 20, 2, 2, 0, '01', 20),
 ('3101', '8800301', '솔바람 패밀리 회원', '회원번호', 10, 'N', 'N', 'Z', '13', '010', 10, -1, -1, 0, '', 10),
 ('4101', '8800401', '경로 우대', '주민등록번호', 13, 'Y', 'N', 'Z', '42', '001', 10, 1, 1, 65, '', 0)
ON CONFLICT DO NOTHING;

INSERT INTO company (saup_name, ceo_name, ceo_eng_name, address, address_eng, tel, fax, saup_no)
VALUES ('(주)솔바람리조트', '박정민', 'Park Jungmin', '강원도 평창군 대관령면 솔바람길 123',
        '123 Solbaram-gil, Daegwallyeong-myeon, Pyeongchang-gun, Gangwon-do', '033-330-1234', '033-330-1299',
        '224-81-56789')
ON CONFLICT DO NOTHING;
