-- Goods and menu buttons of the demo resort. Outlets whose prices follow the
-- season or the kind of day (upjang.season_code_yn, business_gubun_yn) get a
-- row per season ('1' low, '2' peak) and kind of day ('1' weekday, '2'
-- weekend and holiday) with the base price raised accordingly, rounded to
-- 100 won. Every item sits on a button of its group (at the buffet in a
-- sub-group), numbered in code order.

CREATE TEMP TABLE demo_item (
    upjang_code text, grp text, sub text, menu_code text, menu_name text, menu_eng_name text,
    menu_gubun text, tax_calcu_code text, price numeric, ticket_kind text, daeso_code text,
    ticket_type text, kitchen_prt_yn char(1), series char(1)
) ON COMMIT DROP;

INSERT INTO demo_item VALUES
 -- 솔바람 한식당
 ('3101', '10', '', '31010001', '한우 불고기 정식', 'Bulgogi Set', '31', '1', 28000, '', 'Z', '06', 'Y', '1'),
 ('3101', '10', '', '31010002', '돌솥 비빔밥', 'Stone Pot Bibimbap', '31', '1', 14000, '', 'Z', '06', 'Y', '1'),
 ('3101', '10', '', '31010003', '황태 해장국', 'Dried Pollack Soup', '31', '1', 12000, '', 'Z', '06', 'Y', '1'),
 ('3101', '10', '', '31010004', '곤드레 나물밥', 'Gondre Rice', '31', '1', 13000, '', 'Z', '06', 'Y', '1'),
 ('3101', '10', '', '31010005', '어린이 돈가스', 'Kids Pork Cutlet', '31', '1', 11000, '', '2', '06', 'Y', '1'),
 ('3101', '20', '', '31010101', '해물 파전', 'Seafood Pancake', '31', '1', 18000, '', 'Z', '06', 'Y', '1'),
 ('3101', '20', '', '31010102', '메밀 전병', 'Buckwheat Crepe', '31', '1', 9000, '', 'Z', '06', 'Y', '1'),
 ('3101', '30', '', '31010201', '공기밥', 'Steamed Rice', '31', '2', 1000, '', 'Z', '06', 'N', '1'),
 ('3101', '30', '', '31010202', '강원 막걸리', 'Makgeolli', '33', '1', 7000, '', 'Z', '06', 'N', '1'),
 ('3101', '30', '', '31010203', '식혜', 'Sikhye', '33', '1', 4000, '', 'Z', '06', 'N', '1'),
 -- 별빛 라운지 바
 ('3102', '10', '', '31020001', '생맥주 500cc', 'Draft Beer', '33', '1', 8000, '', 'Z', '06', 'N', '1'),
 ('3102', '10', '', '31020002', '하우스 와인 (잔)', 'House Wine', '33', '1', 12000, '', 'Z', '06', 'N', '1'),
 ('3102', '10', '', '31020003', '위스키 하이볼', 'Highball', '33', '1', 14000, '', 'Z', '06', 'N', '1'),
 ('3102', '20', '', '31020101', '모둠 치즈 플래터', 'Cheese Platter', '31', '1', 25000, '', 'Z', '06', 'Y', '1'),
 ('3102', '20', '', '31020102', '감자튀김', 'French Fries', '31', '1', 9000, '', 'Z', '06', 'Y', '1'),
 -- 그린테이블 뷔페 (봉사료 포함 세금 계산)
 ('3001', '10', '101', '30010001', '조식 뷔페 성인', 'Breakfast Adult', '32', '4', 35000, '', '1', '06', 'N', '1'),
 ('3001', '10', '101', '30010002', '조식 뷔페 소인', 'Breakfast Child', '32', '4', 20000, '', '2', '06', 'N', '1'),
 ('3001', '10', '102', '30010101', '석식 뷔페 성인', 'Dinner Adult', '31', '4', 69000, '', '1', '06', 'N', '1'),
 ('3001', '10', '102', '30010102', '석식 뷔페 소인', 'Dinner Child', '31', '4', 39000, '', '2', '06', 'N', '1'),
 ('3001', '20', '201', '30010201', '아메리카노', 'Americano', '33', '4', 9000, '', 'Z', '06', 'N', '1'),
 ('3001', '20', '201', '30010202', '샴페인 (잔)', 'Champagne Glass', '33', '4', 25000, '', 'Z', '06', 'N', '1'),
 -- 리프트 매표소
 ('5001', '10', '', '50010001', '리프트 주간권 대인', 'Lift Day Adult', '51', '1', 79000, '22', '1', '01', 'N', '1'),
 ('5001', '10', '', '50010002', '리프트 주간권 소인', 'Lift Day Child', '51', '1', 59000, '22', '2', '01', 'N', '1'),
 ('5001', '10', '', '50010003', '리프트 야간권 대인', 'Lift Night Adult', '51', '1', 55000, '23', '1', '01', 'N', '1'),
 ('5001', '10', '', '50010004', '리프트 1회권', 'Lift Single Ride', '51', '1', 15000, '01', 'Z', '01', 'N', '1'),
 ('5001', '20', '', '50010101', '리프트 5일 연속권', 'Lift 5-Day Pass', '51', '1', 320000, '22', '1', '01', 'N', '2'),
 ('5001', '20', '', '50010102', '곤돌라 왕복권', 'Gondola Return', '51', '1', 20000, '01', 'Z', '01', 'N', '1'),
 -- 스키 렌탈샵
 ('5003', '10', '', '50030001', '스키 장비 세트 대인', 'Ski Set Adult', '52', '1', 42000, '00', '1', '02', 'N', '1'),
 ('5003', '10', '', '50030002', '스키 장비 세트 소인', 'Ski Set Child', '52', '1', 32000, '00', '2', '02', 'N', '1'),
 ('5003', '10', '', '50030003', '보드 장비 세트', 'Board Set', '52', '1', 45000, '00', 'Z', '02', 'N', '1'),
 ('5003', '20', '', '50030101', '스키복 상하의', 'Ski Wear', '53', '1', 30000, '00', 'Z', '02', 'N', '1'),
 ('5003', '20', '', '50030102', '헬멧', 'Helmet', '53', '1', 8000, '00', 'Z', '02', 'N', '1'),
 -- 스키 스쿨
 ('5004', '10', '', '50040001', '스키 단체강습 2시간', 'Ski Group Lesson', '54', '1', 60000, '00', 'Z', '03', 'N', '1'),
 ('5004', '10', '', '50040002', '스키 개인강습 2시간', 'Ski Private Lesson', '54', '1', 150000, '00', 'Z', '03', 'N', '1'),
 ('5004', '10', '', '50040003', '보드 단체강습 2시간', 'Board Group Lesson', '54', '1', 60000, '00', 'Z', '03', 'N', '1'),
 -- 스키 보관소
 ('5007', '10', '', '50070001', '스키 보관 1일', 'Ski Keeping Day', '55', '1', 5000, '01', 'Z', '03', 'N', '1'),
 ('5007', '10', '', '50070002', '스키 보관 시즌', 'Ski Keeping Season', '55', '1', 150000, '30', 'Z', '03', 'N', '1'),
 -- 스키 캠프, 셔틀버스, 스키 패키지
 ('5097', '10', '', '50970001', '주니어 스키 캠프 3일', 'Junior Camp 3 Days', '56', '1', 390000, '00', '2', '03', 'N', '1'),
 ('5098', '10', '', '50980001', '셔틀버스 왕복', 'Shuttle Return', '57', '2', 15000, '01', 'Z', '03', 'N', '1'),
 ('5099', '10', '', '50990001', '스키 패키지 1일 (리프트+장비)', 'Ski Package 1 Day', '58', '1', 110000, '22', '1', '01', 'N', '1'),
 ('5099', '10', '', '50990002', '스키 패키지 1일 버스 포함', 'Ski Package with Bus', '58', '1', 125000, '22', '1', '01', 'N', '1'),
 -- 솔바람 컨트리클럽
 ('4101', '10', '', '41010001', '그린피 18홀', 'Green Fee 18', '41', '1', 180000, '', 'Z', '03', 'N', '1'),
 ('4101', '10', '', '41010002', '카트비 (1인)', 'Cart Fee', '41', '1', 25000, '', 'Z', '03', 'N', '1'),
 ('4101', '10', '', '41010003', '캐디피 (1팀)', 'Caddie Fee', '41', '2', 150000, '', 'Z', '03', 'N', '1'),
 ('4101', '20', '', '41010101', '골프공 (12구)', 'Golf Balls', '42', '1', 60000, '', 'Z', '03', 'N', '1'),
 ('4101', '20', '', '41010102', '골프 장갑', 'Golf Glove', '42', '1', 25000, '', 'Z', '03', 'N', '1'),
 -- 리조트 편의점
 ('6101', '10', '', '61010001', '생수 500ml', 'Water', '61', '1', 1000, '', 'Z', '03', 'N', '1'),
 ('6101', '10', '', '61010002', '컵라면', 'Cup Noodles', '61', '1', 1800, '', 'Z', '03', 'N', '1'),
 ('6101', '10', '', '61010003', '핫팩', 'Hand Warmer', '61', '1', 1500, '', 'Z', '03', 'N', '1'),
 ('6101', '20', '', '61010101', '평창 감자 (1kg)', 'Potatoes 1kg', '61', '2', 6000, '', 'Z', '03', 'N', '1'),
 ('6101', '20', '', '61010102', '스키 양말', 'Ski Socks', '61', '1', 9000, '', 'Z', '03', 'N', '1');

INSERT INTO goods (upjang_code, menu_code, season_code, business_gubun, menu_name, menu_eng_name, menu_gubun,
                   tax_yn, tax_calcu_code, sale_unit_amt, ticket_kind, daeso_code, dc_yn, kitchen_prt_yn,
                   ticket_type)
SELECT i.upjang_code, i.menu_code, s.season_code, s.business_gubun, i.menu_name, i.menu_eng_name, i.menu_gubun,
       CASE WHEN i.tax_calcu_code = '2' THEN 'N' ELSE 'Y' END, i.tax_calcu_code,
       round(i.price * s.factor, -2), i.ticket_kind, i.daeso_code, 'Y', i.kitchen_prt_yn, i.ticket_type
  FROM demo_item i
  JOIN upjang u ON u.upjang_code = i.upjang_code
 CROSS JOIN (VALUES ('1', '1', 1.0), ('1', '2', 1.1), ('2', '1', 1.2), ('2', '2', 1.3))
            AS s (season_code, business_gubun, factor)
 WHERE (u.season_code_yn = 'Y' OR s.season_code = '1')
   AND (u.business_gubun_yn = 'Y' OR s.business_gubun = '1')
ON CONFLICT DO NOTHING;

INSERT INTO menu_group (upjang_code, menu_group_no, menu_group_name, sort_order) VALUES
 ('3101', '10', '식사', 1), ('3101', '20', '요리', 2), ('3101', '30', '음료·추가', 3),
 ('3102', '10', '주류', 1), ('3102', '20', '안주', 2),
 ('3001', '10', '뷔페', 1), ('3001', '20', '음료', 2),
 ('5001', '10', '리프트권', 1), ('5001', '20', '연속권·곤돌라', 2),
 ('5003', '10', '장비', 1), ('5003', '20', '의류·소품', 2),
 ('5004', '10', '강습', 1),
 ('5007', '10', '보관', 1),
 ('5097', '10', '캠프', 1),
 ('5098', '10', '셔틀', 1),
 ('5099', '10', '패키지', 1),
 ('4101', '10', '라운드', 1), ('4101', '20', '프로샵', 2),
 ('6101', '10', '간식·생활', 1), ('6101', '20', '특산품', 2)
ON CONFLICT DO NOTHING;

INSERT INTO menu_sub_group (upjang_code, menu_group_no, menu_sub_group_no, menu_sub_group_name, sort_order) VALUES
 ('3001', '10', '101', '조식', 1),
 ('3001', '10', '102', '석식', 2),
 ('3001', '20', '201', '커피·와인', 1)
ON CONFLICT DO NOTHING;

-- A button for every season and kind of day its goods have: an outlet that
-- prices by season or by weekday and weekend shows only the buttons of the
-- current ones, so the weekend's buttons stand after the weekdays' (from
-- position 101, 201, 301).
INSERT INTO menu (upjang_code, menu_group_no, menu_sub_group_no, menu_no, menu_code, season_code, business_gubun,
                  series_ticket, daeso_code)
SELECT i.upjang_code, i.grp, i.sub,
       row_number() OVER (PARTITION BY i.upjang_code, i.grp, i.sub, g.season_code, g.business_gubun
                          ORDER BY i.menu_code)
         + 100 * ((g.season_code::integer - 1) * 2 + g.business_gubun::integer - 1),
       i.menu_code, g.season_code, g.business_gubun, i.series, i.daeso_code
  FROM demo_item i
  JOIN goods g ON g.upjang_code = i.upjang_code AND g.menu_code = i.menu_code
ON CONFLICT DO NOTHING;
