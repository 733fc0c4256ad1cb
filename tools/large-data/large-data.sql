-- A large master-data set for the download and upload benchmarks: a
-- terminal 7001/01 that sells for ten outlets (7001-7010) with 10,000 goods
-- each (100,000 goods) and 2,000 menu buttons each in 20 groups (20,000
-- menus), plus what a whole download pass needs besides (cashiers, codes,
-- tenders, a calendar, discounts, the company header). Idempotent: the
-- outlets 7001-7010 are removed first.
--
-- Load it into a database brought up to date by the migrations, e.g.
--   tools/large-data/load.sh            (the development database of scripts/db)

DELETE FROM menu WHERE upjang_code BETWEEN '7001' AND '7010';
DELETE FROM menu_sub_group WHERE upjang_code BETWEEN '7001' AND '7010';
DELETE FROM menu_group WHERE upjang_code BETWEEN '7001' AND '7010';
DELETE FROM goods WHERE upjang_code BETWEEN '7001' AND '7010';
DELETE FROM dc_guest_type WHERE upjang_code BETWEEN '7001' AND '7010';
DELETE FROM dc_partner WHERE multi_upjang_code BETWEEN '7001' AND '7010';
DELETE FROM upjang_pay WHERE upjang_code BETWEEN '7001' AND '7010';
DELETE FROM pos_sale_upjang WHERE upjang_code BETWEEN '7001' AND '7010';
DELETE FROM upjang_pos WHERE upjang_code BETWEEN '7001' AND '7010';
DELETE FROM upjang WHERE upjang_code BETWEEN '7001' AND '7010';

INSERT INTO upjang (upjang_code, upjang_name, upjang_eng_name, upjang_type, sod_gubun_code, first_form_code,
                    offline_yn, cancel_yn, void_yn, return_yn, wait_yn)
SELECT (7000 + n)::text, '대량 매장 ' || n, 'Bulk Outlet ' || n, '30', '70', '1', 'Y', 'Y', 'Y', 'Y', 'Y'
  FROM generate_series(1, 10) AS n;

INSERT INTO upjang_pos (upjang_code, pos_no, sort_order, pos_name)
SELECT (7000 + n)::text, '01', 1, '대량 POS ' || n FROM generate_series(1, 10) AS n;

INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no, sort_order)
SELECT '7001', '01', (7000 + n)::text, '21', n FROM generate_series(2, 10) AS n;

INSERT INTO goods (upjang_code, menu_code, season_code, business_gubun, menu_name, menu_eng_name, menu_gubun,
                   tax_yn, tax_calcu_code, sale_unit_amt, ticket_kind, daeso_code, disp_time_from, disp_time_to,
                   dc_yn, dc_calcu_code, open_code_yn, kitchen_prt_yn, ticket_type, cook_method, type_code1)
SELECT (7000 + o)::text,
       lpad((o * 100000 + g)::text, 8, '0'),
       '1', '1',
       (ARRAY['불고기', '비빔밥', '된장찌개', '김치전', '냉면', '갈비탕', '떡볶이', '잡채'])[1 + g % 8] || ' ' || g || '호',
       'Item ' || g,
       (ARRAY['31', '32', '33'])[1 + g % 3],
       CASE WHEN g % 17 = 0 THEN 'N' ELSE 'Y' END,
       CASE WHEN g % 17 = 0 THEN '2' ELSE '1' END,
       1000 + (g * 37 % 400) * 100,
       '', 'Z', '', '', 'Y', '1', 'N', CASE WHEN g % 3 = 0 THEN 'Y' ELSE 'N' END, '06', '', ''
  FROM generate_series(1, 10) AS o
 CROSS JOIN generate_series(1, 10000) AS g;

INSERT INTO menu_group (upjang_code, menu_group_no, menu_group_name, sort_order)
SELECT (7000 + o)::text, lpad(k::text, 2, '0'), '분류 ' || k, k
  FROM generate_series(1, 10) AS o
 CROSS JOIN generate_series(1, 20) AS k;

INSERT INTO menu (upjang_code, menu_group_no, menu_no, menu_code, season_code, business_gubun, series_ticket, daeso_code)
SELECT (7000 + o)::text, lpad((1 + (b - 1) / 100)::text, 2, '0'), 1 + (b - 1) % 100,
       lpad((o * 100000 + b * 5)::text, 8, '0'), '1', '1', '1', 'Z'
  FROM generate_series(1, 10) AS o
 CROSS JOIN generate_series(1, 2000) AS b;

INSERT INTO dc_guest_type (guest_type, upjang_code, season_code, business_gubun, dc_rate)
SELECT '100', (7000 + o)::text, '1', '1', 30 FROM generate_series(1, 10) AS o;

INSERT INTO calendar (sod_gubun_code, cal_date, season_code, business_gubun, secret_code)
SELECT '70', to_char(d, 'YYYYMMDD'), '1', CASE WHEN extract(isodow FROM d) IN (6, 7) THEN '2' ELSE '1' END, '0000'
  FROM generate_series(current_date - 30, current_date + 365, interval '1 day') AS d
ON CONFLICT DO NOTHING;

INSERT INTO pay_type (pay_code, pay_name) VALUES (110, '현금'), (120, '신용카드'), (160, '상품권')
ON CONFLICT DO NOTHING;
INSERT INTO upjang_pay (upjang_code, pay_code, sort_order)
SELECT '7001', p.code, p.ord FROM (VALUES (110, 1), (120, 2), (160, 3)) AS p (code, ord)
ON CONFLICT DO NOTHING;
INSERT INTO cashier (emp_no, emp_name, password, admin_yn) VALUES ('7999', '대량 관리자', '7999', 'Y')
ON CONFLICT DO NOTHING;
INSERT INTO company (saup_name) VALUES ('(주)대량데이터') ON CONFLICT DO NOTHING;
ANALYZE goods;
ANALYZE menu;
